// Drop-down windows (children of the desktop): shown where they were put, above their owner, and clickable.
#include "filled_panel.h"

namespace {

TEST(DropDown, ShowsAboveItsOwnerWhereItWasPut)
{
    FilledPanel owner, list;
    owner.fill = RGB(0, 160, 0);
    list.fill = RGB(0, 0, 160);
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150, nullptr, nullptr));
    owner.UpdateWindow();
    PumpFor(50);
    ASSERT_TRUE(list.CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, nullptr, "", WS_CHILD | WS_BORDER, 150, 140, 80, 60,
                              GetDesktopWindow(), nullptr));
    list.ShowWindow(SW_SHOWNA);
    list.UpdateWindow();
    PumpFor(150);
    EXPECT_TRUE(list.IsWindowVisible());
    CRect r;
    list.GetWindowRect(&r);
    EXPECT_EQ(r.TopLeft(), CPoint(150, 140));
    Capture c = CaptureWindow(owner);
    ASSERT_FALSE(c.pixels.empty());
    EXPECT_EQ(c.At(90, 70), 0x0000A0u);  // the drop-down covers the owner there
    EXPECT_EQ(c.At(10, 10), 0x00A000u);
    ClickAt(list, 20, 20);
    ASSERT_TRUE(PumpUntil([&] { return list.clicks + owner.clicks > 0; }));
    EXPECT_EQ(list.clicks, 1);
    list.DestroyWindow();
}

}  // namespace
