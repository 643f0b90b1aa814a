// CTrayIcon: a window shrinking into the notification area and growing back out of it, and hiding its task-bar
// button while it is there.
#include "skinui/tray_icon.h"

#include "kernel/crt_compat.h"

namespace {

// The hidden owner of windows hidden to the tray; made once.
HWND g_hWndHiddenOwner = nullptr;

// A clock whose bottom is more than this above the area's bottom sits above the icons (a vertical task bar).
constexpr int kClockAboveMargin = 5;

// Narrows the task bar's rectangle to its notification area, less the clock.
BOOL CALLBACK NarrowToNotificationArea(HWND hWnd, LPARAM lParam)
{
    RECT* area = reinterpret_cast<RECT*>(lParam);
    char name[32];
    if (!GetClassName(hWnd, name, sizeof(name)))
        return TRUE;
    if (lstrcmpi(name, "TrayNotifyWnd") == 0) {
        GetWindowRect(hWnd, area);
        return TRUE;
    }
    if (lstrcmpi(name, "TrayClockWClass") == 0) {
        RECT clock;
        GetWindowRect(hWnd, &clock);
        if (area->bottom - clock.bottom > kClockAboveMargin)
            area->top = clock.bottom;
        else
            area->right = clock.left;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BOOL CTrayIcon::IsWindowAnimationOn()
{
    ANIMATIONINFO info{};
    info.cbSize = sizeof(info);
    SystemParametersInfo(SPI_GETANIMATION, sizeof(info), &info, 0);
    return info.iMinAnimate != 0;
}

void CTrayIcon::GetNotificationAreaRect(RECT* pRect)
{
    if (!pRect)
        return;
    if (HWND taskbar = FindWindow("Shell_TrayWnd", nullptr)) {
        GetWindowRect(taskbar, pRect);
        EnumChildWindows(taskbar, NarrowToNotificationArea, reinterpret_cast<LPARAM>(pRect));
        return;
    }
    APPBARDATA bar{};
    bar.cbSize = sizeof(bar);
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &bar)) {
        const RECT& b = bar.rc;
        if (bar.uEdge == ABE_LEFT || bar.uEdge == ABE_RIGHT)
            *pRect = RECT{b.left, b.bottom - 100, b.right, b.bottom - 16};
        else
            *pRect = RECT{b.right - 100, b.top, b.right - 16, b.bottom};
        return;
    }
    RECT work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    *pRect = RECT{work.right - 150, work.bottom - 30, work.right, work.bottom};
}

BOOL CTrayIcon::HideTaskbarButton(HWND hWnd)
{
    if (!::IsWindow(g_hWndHiddenOwner))
        g_hWndHiddenOwner = CreateWindowEx(0, "Static", "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    if (!g_hWndHiddenOwner)
        return FALSE;
    ::SetParent(hWnd, g_hWndHiddenOwner);
    return TRUE;
}

void CTrayIcon::AnimateWindowToTray(HWND hWnd)
{
    if (IsWindowAnimationOn()) {
        RECT from, to;
        ::GetWindowRect(hWnd, &from);
        GetNotificationAreaRect(&to);
        DrawAnimatedRects(hWnd, IDANI_CAPTION, &from, &to);
    }
    HideTaskbarButton(hWnd);
    ::SetWindowLong(hWnd, GWL_STYLE, ::GetWindowLong(hWnd, GWL_STYLE) & ~WS_VISIBLE);
}

void CTrayIcon::AnimateWindowFromTray(HWND hWnd)
{
    ::SetParent(hWnd, nullptr);
    if (IsWindowAnimationOn()) {
        RECT from, to;
        GetNotificationAreaRect(&from);
        ::GetWindowRect(hWnd, &to);
        DrawAnimatedRects(hWnd, IDANI_CAPTION, &from, &to);
    }
    ::SetWindowLong(hWnd, GWL_STYLE, ::GetWindowLong(hWnd, GWL_STYLE) | WS_VISIBLE);
    // Where there was no notification area the window was minimised instead; it comes back as it was.
    if (::IsIconic(hWnd))
        ::ShowWindow(hWnd, SW_RESTORE);
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
    if (g_hWndHiddenOwner)
        ::SetActiveWindow(g_hWndHiddenOwner);
    ::SetActiveWindow(hWnd);
    ::SetForegroundWindow(hWnd);
}
