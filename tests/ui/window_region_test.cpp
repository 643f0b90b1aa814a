// Window regions: a shaped top-level window shows and takes clicks only inside its region; so does a child.
#include "filled_panel.h"

namespace {

TEST(Region, ShapedTopLevelWindowExistsOnlyInsideItsRegion)
{
    FilledPanel below, above;
    below.fill = RGB(0, 160, 0);
    above.fill = RGB(160, 0, 0);
    ASSERT_TRUE(below.CreateEx(0, nullptr, "below", WS_POPUP | WS_VISIBLE, 200, 150, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(above.CreateEx(0, nullptr, "above", WS_POPUP | WS_VISIBLE, 200, 150, 100, 100, nullptr, nullptr));
    EXPECT_TRUE(above.SetWindowRgn(CreateRectRgn(0, 0, 50, 50), TRUE));
    below.UpdateWindow();
    above.UpdateWindow();
    PumpFor(150);
    Capture c = CaptureWindow(below);
    ASSERT_FALSE(c.pixels.empty());
    EXPECT_EQ(c.At(25, 25), 0xA00000u);
    EXPECT_EQ(c.At(75, 75), 0x00A000u);
    ClickAt(below, 75, 75);
    ASSERT_TRUE(PumpUntil([&] { return below.clicks + above.clicks > 0; }));
    EXPECT_EQ(below.clicks, 1);
    EXPECT_EQ(above.clicks, 0);
}

TEST(Region, ChildRegionClipsItsPaintAndItsClicks)
{
    FilledPanel parent, child;
    parent.fill = RGB(0, 160, 0);
    child.fill = RGB(160, 0, 0);
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 200, 150, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 1));
    child.SetWindowRgn(CreateRectRgn(0, 0, 50, 50), TRUE);
    child.UpdateWindow();
    HDC dc = GetDC(child);
    EXPECT_EQ(GetPixel(dc, 25, 25), RGB(160, 0, 0));
    EXPECT_EQ(GetPixel(dc, 75, 75), RGB(0, 160, 0));  // the parent shows outside the region
    ReleaseDC(child, dc);
    PumpFor(50);
    ClickAt(child, 75, 75);
    ASSERT_TRUE(PumpUntil([&] { return parent.clicks + child.clicks > 0; }));
    EXPECT_EQ(parent.clicks, 1);
    EXPECT_EQ(child.clicks, 0);
}

TEST(Region, GetWindowRgnCopiesTheRegionSet)
{
    FilledPanel panel;
    ASSERT_TRUE(panel.CreateEx(0, nullptr, "panel", WS_POPUP | WS_VISIBLE, 200, 150, 100, 100, nullptr, nullptr));
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(panel, copy), ERROR);
    panel.SetWindowRgn(CreateRectRgn(10, 20, 30, 40), TRUE);
    EXPECT_EQ(GetWindowRgn(panel, copy), SIMPLEREGION);
    RECT box;
    GetRgnBox(copy, &box);
    EXPECT_EQ(CRect(box), CRect(10, 20, 30, 40));
    DeleteObject(copy);
}

}  // namespace
