// CTrayIcon::OnTrayNotification: the popup menu and the default command of an icon that reports to its own window.
#include "skinui/tray_icon.h"

void CTrayIcon::PrepareMenu(HMENU) {}

LRESULT CTrayIcon::OnTrayNotification(WPARAM wParam, LPARAM lParam)
{
    if (wParam != m_iconData.uID)
        return 0;
    HWND target = GetCommandWindow();
    if (!target)
        return 0;
    UINT mouse = LOWORD(lParam);
    if (mouse == WM_RBUTTONUP) {
        HMENU menu = LoadMenu(m_hInst, MAKEINTRESOURCE(m_iconData.uID));
        if (!menu)
            return 0;
        HMENU sub = GetSubMenu(menu, 0);
        if (!sub) {
            DestroyMenu(menu);
            return 0;
        }
        SetMenuDefaultItem(sub, m_nMenuDefault, m_bMenuDefaultByPos);
        PrepareMenu(sub);
        POINT cursor;
        GetCursorPos(&cursor);
        SetForegroundWindow(m_iconData.hWnd);
        TrackPopupMenu(sub, TPM_LEFTALIGN, cursor.x, cursor.y, 0, target, nullptr);
        PostMessage(m_iconData.hWnd, WM_NULL, 0, 0);
        DestroyMenu(menu);
        return 1;
    }
    if (mouse == WM_LBUTTONDBLCLK) {
        SetForegroundWindow(m_iconData.hWnd);
        UINT command = m_nMenuDefault;
        if (m_bMenuDefaultByPos) {
            HMENU menu = LoadMenu(m_hInst, MAKEINTRESOURCE(m_iconData.uID));
            if (!menu)
                return 0;
            HMENU sub = GetSubMenu(menu, 0);
            if (!sub) {
                DestroyMenu(menu);
                return 0;
            }
            command = GetMenuItemID(sub, (int)m_nMenuDefault);
            DestroyMenu(menu);
        }
        PostMessage(target, WM_COMMAND, command, 0);
        return 1;
    }
    return 1;
}
