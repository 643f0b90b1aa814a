// The desktop around the windows: the task bar's position, the animation setting and the caption animation, and
// top-level windows given an owner or hidden by their style while a tray icon could not be added.
#include <chrono>

#include "tests/support/window/ui_fixture.h"

namespace {

class FilledWnd : public CWnd {
protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, RGB(10, 200, 30));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FilledWnd, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

// The colour a window shows on the screen at a client point.
COLORREF ScreenPixel(CWnd& w, POINT p)
{
    CRect r;
    w.GetClientRect(&r);
    CClientDC screen(&w);
    CDC shot;
    shot.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, r.Width(), r.Height());
    CBitmap* old = shot.SelectObject(&bitmap);
    COLORREF c = PrintWindow(w.GetSafeHwnd(), shot.GetSafeHdc(), 0) ? shot.GetPixel(p) : CLR_INVALID;
    shot.SelectObject(old);
    return c;
}

TEST(Taskbar, NoPanelKeepsAStripOfTheVirtualDisplay)
{
    APPBARDATA bar{};
    bar.cbSize = sizeof(bar);
    EXPECT_EQ(SHAppBarMessage(ABM_GETTASKBARPOS, &bar), 0u);
    EXPECT_EQ(SHAppBarMessage(ABM_GETTASKBARPOS, nullptr), 0u);
}

TEST(Taskbar, AnimationSettingReadsBackAsSet)
{
    ANIMATIONINFO before{sizeof(ANIMATIONINFO), 0};
    ASSERT_TRUE(SystemParametersInfo(SPI_GETANIMATION, sizeof(before), &before, 0));
    for (int on : {0, 1, 0}) {
        ANIMATIONINFO set{sizeof(ANIMATIONINFO), on};
        EXPECT_TRUE(SystemParametersInfo(SPI_SETANIMATION, sizeof(set), &set, 0));
        ANIMATIONINFO got{sizeof(ANIMATIONINFO), -1};
        EXPECT_TRUE(SystemParametersInfo(SPI_GETANIMATION, sizeof(got), &got, 0));
        EXPECT_EQ(got.iMinAnimate, on);
    }
    SystemParametersInfo(SPI_SETANIMATION, sizeof(before), &before, 0);
}

TEST(Taskbar, CaptionAnimationRunsToItsEndAndLeavesNothingOnTheScreen)
{
    FilledWnd target;
    ASSERT_TRUE(target.CreateEx(0, nullptr, "target", WS_POPUP | WS_VISIBLE, 300, 300, 120, 40, nullptr, nullptr));
    PumpFor(100);
    RECT from{20, 20, 220, 140}, to{300, 300, 420, 340};
    EXPECT_FALSE(DrawAnimatedRects(nullptr, IDANI_OPEN, &from, &to));
    EXPECT_FALSE(DrawAnimatedRects(nullptr, IDANI_CAPTION, nullptr, &to));
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(DrawAnimatedRects(nullptr, IDANI_CAPTION, &from, &to));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    // The bar ended over the window and is gone again: once repainted, the window shows its own colour.
    PumpFor(100);
    for (POINT p : {POINT{1, 1}, POINT{60, 10}, POINT{118, 38}})
        EXPECT_EQ(ScreenPixel(target, p), RGB(10, 200, 30)) << p.x << "," << p.y;
    target.DestroyWindow();
}

TEST(Taskbar, TopLevelWindowTakesAndLosesAnOwner)
{
    CWnd w, owner;
    ASSERT_TRUE(owner.CreateEx(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ASSERT_TRUE(w.CreateEx(0, nullptr, "owned", WS_POPUP | WS_VISIBLE, 20, 20, 100, 60, nullptr, nullptr));
    EXPECT_EQ(::SetParent(w.GetSafeHwnd(), owner.GetSafeHwnd()), nullptr);
    EXPECT_EQ(::GetWindow(w.GetSafeHwnd(), GW_OWNER), owner.GetSafeHwnd());
    EXPECT_EQ(::SetParent(w.GetSafeHwnd(), nullptr), owner.GetSafeHwnd());
    EXPECT_EQ(::GetWindow(w.GetSafeHwnd(), GW_OWNER), nullptr);
    w.DestroyWindow();
    owner.DestroyWindow();
}

TEST(Taskbar, ActivatingAHiddenWindowDoesNotShowIt)
{
    FilledWnd below;
    ASSERT_TRUE(below.CreateEx(0, nullptr, "below", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr));
    CWnd hidden;
    ASSERT_TRUE(hidden.CreateEx(0, "Static", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    PumpFor(100);
    ::SetActiveWindow(hidden.GetSafeHwnd());
    ::SetForegroundWindow(hidden.GetSafeHwnd());
    PumpFor(150);
    EXPECT_FALSE(hidden.IsWindowVisible());
    EXPECT_EQ(ScreenPixel(below, POINT{50, 50}), RGB(10, 200, 30));
    hidden.DestroyWindow();
    below.DestroyWindow();
}

TEST(Tray, ClearingTheVisibleStyleHidesUnlessTheTrayIconCouldNotBeAdded)
{
    for (bool iconFailed : {true, false}) {
        CWnd w;
        ASSERT_TRUE(w.CreateEx(0, nullptr, "style owner", WS_POPUP | WS_VISIBLE, 20, 20, 200, 120, nullptr, nullptr));
        NOTIFYICONDATA d{};
        d.cbSize = sizeof(d);
        d.hWnd = w.GetSafeHwnd();
        d.uID = 1;
        d.uFlags = NIF_TIP;
        if (iconFailed) {
            ASSERT_FALSE(Shell_NotifyIcon(NIM_ADD, &d));  // a virtual display has no notification area
        }
        ::SetWindowLong(w.GetSafeHwnd(), GWL_STYLE, w.GetStyle() & ~WS_VISIBLE);
        // Minimised rather than hidden, it stays reachable (a display without a window manager shows it as it was).
        EXPECT_EQ(w.IsWindowVisible(), iconFailed);
        Shell_NotifyIcon(NIM_DELETE, &d);
        w.DestroyWindow();
    }
}

}  // namespace
