// The tray icon's window operations: where the notification area is, a window hidden to it without a task-bar
// button and shown again, and the minimised window where the desktop has no notification area.
#include "skinui/tray_icon.h"

#include <string>

#include "skin_fixture.h"

namespace {

// Turns the desktop's window animation on or off for one test and back afterwards.
class AnimationSetting {
public:
    explicit AnimationSetting(bool on)
    {
        SystemParametersInfo(SPI_GETANIMATION, sizeof(m_before), &m_before, 0);
        ANIMATIONINFO info{sizeof(info), on};
        SystemParametersInfo(SPI_SETANIMATION, sizeof(info), &info, 0);
    }
    ~AnimationSetting() { SystemParametersInfo(SPI_SETANIMATION, sizeof(m_before), &m_before, 0); }

private:
    ANIMATIONINFO m_before{sizeof(ANIMATIONINFO), 0};
};

std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

HWND MakeWindow(LPCSTR className, DWORD style, const RECT& r, HWND parent)
{
    return CreateWindowEx(0, className, "", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent, nullptr,
                          AfxGetInstanceHandle(), nullptr);
}

TEST(TrayWindow, WithoutATaskbarTheAreaIsTheWorkAreasBottomRightCorner)
{
    RECT work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    RECT area;
    CTrayIcon::GetNotificationAreaRect(&area);
    EXPECT_EQ(Text(area), Text(RECT{work.right - 150, work.bottom - 30, work.right, work.bottom}));
}

TEST(TrayWindow, ATaskbarWindowGivesItsNotificationAreaLessTheClock)
{
    for (const char* name : {"Shell_TrayWnd", "TrayNotifyWnd", "TrayClockWClass"}) {
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = name;
        RegisterClass(&wc);
    }
    const struct {
        RECT bar, notify, clock;  // the notify area in the bar, the clock in the notify area
        RECT expected;
    } cases[] = {
        // Along the bottom: the clock is at the area's right end, level with it.
        {{0, 700, 1024, 740}, {860, 4, 1020, 36}, {100, 2, 158, 30}, {860, 704, 960, 736}},
        // Down the left side: the clock sits above the icons.
        {{0, 0, 60, 768}, {0, 500, 60, 700}, {0, 0, 60, 24}, {0, 524, 60, 700}},
    };
    for (const auto& c : cases) {
        HWND bar = MakeWindow("Shell_TrayWnd", WS_POPUP | WS_VISIBLE, c.bar, nullptr);
        HWND notify = MakeWindow("TrayNotifyWnd", WS_CHILD | WS_VISIBLE, c.notify, bar);
        MakeWindow("TrayClockWClass", WS_CHILD | WS_VISIBLE, c.clock, notify);
        RECT area;
        CTrayIcon::GetNotificationAreaRect(&area);
        EXPECT_EQ(Text(area), Text(c.expected));
        DestroyWindow(bar);
    }
}

TEST(TrayWindow, HiddenToTheTrayWithoutATaskbarButtonAndShownAgain)
{
    for (bool animate : {true, false}) {
        AnimationSetting setting(animate);
        EXPECT_EQ(CTrayIcon::IsWindowAnimationOn(), animate);
        CWnd w, other;
        ASSERT_TRUE(w.CreateEx(0, nullptr, "to tray", WS_POPUP | WS_VISIBLE, 40, 40, 200, 120, nullptr, nullptr));
        ASSERT_TRUE(other.CreateEx(0, nullptr, "other", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
        CTrayIcon::AnimateWindowToTray(w.GetSafeHwnd());
        EXPECT_FALSE(w.IsWindowVisible());
        EXPECT_FALSE(w.IsIconic());
        // Owned by a hidden window, it has no task-bar button; that owner serves every window.
        HWND owner = ::GetWindow(w.GetSafeHwnd(), GW_OWNER);
        ASSERT_NE(owner, nullptr);
        char name[16];
        GetClassName(owner, name, sizeof(name));
        EXPECT_STRCASEEQ(name, "Static");
        ASSERT_TRUE(CTrayIcon::HideTaskbarButton(other.GetSafeHwnd()));
        EXPECT_EQ(::GetWindow(other.GetSafeHwnd(), GW_OWNER), owner);

        CTrayIcon::AnimateWindowFromTray(w.GetSafeHwnd());
        EXPECT_TRUE(w.IsWindowVisible());
        EXPECT_EQ(::GetWindow(w.GetSafeHwnd(), GW_OWNER), nullptr);
        EXPECT_FALSE(::IsWindowVisible(owner));
        other.DestroyWindow();
        w.DestroyWindow();
    }
}

TEST(TrayWindow, WithoutANotificationAreaTheWindowIsMinimisedAndComesBack)
{
    AnimationSetting setting(true);
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "to no tray", WS_POPUP | WS_VISIBLE, 40, 40, 200, 120, nullptr, nullptr));
    CTrayIcon tray;
    // The virtual display has no notification area: the add fails.
    EXPECT_FALSE(tray.Create(AfxGetInstanceHandle(), w.GetSafeHwnd(), WM_APP + 10, "Tip", nullptr, 0, FALSE));
    EXPECT_FALSE(tray.ShowBalloonTip("Done", "Kestrin", 0, 10));
    // Minimised rather than hidden (a display without a window manager shows it as it was): still reachable,
    // with its task-bar button.
    CTrayIcon::AnimateWindowToTray(w.GetSafeHwnd());
    EXPECT_TRUE(w.IsWindowVisible());
    CTrayIcon::AnimateWindowFromTray(w.GetSafeHwnd());
    EXPECT_TRUE(w.IsWindowVisible());
    EXPECT_FALSE(w.IsIconic());
    EXPECT_EQ(::GetWindow(w.GetSafeHwnd(), GW_OWNER), nullptr);
    w.DestroyWindow();
}

}  // namespace
