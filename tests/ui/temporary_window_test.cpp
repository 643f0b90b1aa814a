// Temporary window wrappers (CWnd::FromHandle, GetDlgItem): one may destroy its own window and stay usable.
#include "tests/support/window/ui_fixture.h"

TEST(TemporaryWindow, AWrapperDestroyingItsWindowOutlivesTheCall)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP, 10, 10, 200, 120, nullptr, nullptr));
    for (int id : {101, 102}) {
        HWND child =
            ::CreateWindowEx(0, "BUTTON", "placeholder", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, host.GetSafeHwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        ASSERT_NE(child, nullptr);
        CWnd* placeholder = host.GetDlgItem(id);
        ASSERT_NE(placeholder, nullptr);
        EXPECT_EQ(CWnd::FromHandlePermanent(child), nullptr);
        EXPECT_TRUE(placeholder->DestroyWindow());
        EXPECT_FALSE(::IsWindow(child));
        EXPECT_EQ(placeholder->GetSafeHwnd(), nullptr);
        EXPECT_EQ(host.GetDlgItem(id), nullptr);
        PumpFor(20);
    }
}
