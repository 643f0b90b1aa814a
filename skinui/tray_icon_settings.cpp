// CTrayIcon: the icon, tip, notify window and default menu item, told to the shell unless the icon is hidden.
#include "skinui/tray_icon.h"

#include <cstring>

#include "kernel/string_resources.h"
#include "services/utf8_cut.h"

void CTrayIcon::CopyTip(LPCTSTR szTip)
{
    // The field keeps its last byte for the terminator; a character is never cut in half.
    size_t length = szTip ? std::strlen(szTip) : 0;
    length = Utf8CompleteLength(szTip ? szTip : "", std::min(length, sizeof(m_iconData.szTip) - 1));
    std::memcpy(m_iconData.szTip, szTip ? szTip : "", length);
    m_iconData.szTip[length] = '\0';
}

BOOL CTrayIcon::SetIcon(HICON hIcon)
{
    if (!m_bShellOk)
        return FALSE;
    m_iconData.uFlags = NIF_ICON;
    m_iconData.hIcon = hIcon;
    if (m_bIconHidden)
        return TRUE;
    return Shell_NotifyIcon(NIM_MODIFY, &m_iconData);
}

BOOL CTrayIcon::SetIcon(LPCTSTR szFile)
{
    HICON icon = (HICON)LoadImage(nullptr, szFile, IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    if (!icon)
        return FALSE;
    if (!m_bShellOk) {
        DestroyIcon(icon);
        return FALSE;
    }
    // A hidden icon only keeps the handle until the next add, so the loaded icon lives until it is replaced.
    BOOL set = SetIcon(icon);
    if (m_hIconFromFile)
        DestroyIcon(m_hIconFromFile);
    m_hIconFromFile = icon;
    return set;
}

BOOL CTrayIcon::SetIcon(UINT nIconId)
{
    // Resource icons are shared and live as long as the program.
    HICON icon = LoadIcon(m_hInst, MAKEINTRESOURCE(nIconId));
    return icon ? SetIcon(icon) : FALSE;
}

BOOL CTrayIcon::SetSystemIcon(LPCTSTR szName)
{
    HICON icon = LoadIcon(nullptr, szName);
    return icon ? SetIcon(icon) : FALSE;
}

BOOL CTrayIcon::SetSystemIcon(UINT nIconId) { return SetSystemIcon(MAKEINTRESOURCE(nIconId)); }

HICON CTrayIcon::GetIcon() const { return m_bShellOk ? m_iconData.hIcon : nullptr; }

BOOL CTrayIcon::SetTip(LPCTSTR szTip)
{
    if (!m_bShellOk)
        return FALSE;
    m_iconData.uFlags = NIF_TIP;
    CopyTip(szTip);
    if (m_bIconHidden)
        return TRUE;
    return Shell_NotifyIcon(NIM_MODIFY, &m_iconData);
}

BOOL CTrayIcon::SetTip(UINT nStringId)
{
    char text[sizeof(m_iconData.szTip)];
    if (LoadString(m_hInst, nStringId, text, sizeof(text)) == 0)
        return FALSE;
    return SetTip(text);
}

LPCTSTR CTrayIcon::GetTip() const
{
    static char tip[sizeof(NOTIFYICONDATA::szTip)];
    if (!m_bShellOk)
        return nullptr;
    std::memcpy(tip, m_iconData.szTip, sizeof(tip));
    tip[sizeof(tip) - 1] = '\0';
    return tip;
}

BOOL CTrayIcon::SetNotifyWindow(HWND hWnd)
{
    if (!m_bShellOk)
        return FALSE;
    if (!hWnd || !::IsWindow(hWnd))
        return FALSE;
    m_iconData.hWnd = hWnd;
    m_iconData.uFlags = 0;
    if (m_bIconHidden)
        return TRUE;
    return Shell_NotifyIcon(NIM_MODIFY, &m_iconData);
}

BOOL CTrayIcon::SetNotifyMessage(UINT uMessage)
{
    if (!m_bShellOk)
        return FALSE;
    m_iconData.uCallbackMessage = uMessage;
    m_iconData.uFlags = NIF_MESSAGE;
    if (m_bIconHidden)
        return TRUE;
    return Shell_NotifyIcon(NIM_MODIFY, &m_iconData);
}

BOOL CTrayIcon::SetDefaultMenuItem(UINT uItem, BOOL bByPos)
{
    if (m_nMenuDefault == uItem && m_bMenuDefaultByPos == bByPos)
        return TRUE;
    m_nMenuDefault = uItem;
    m_bMenuDefaultByPos = bByPos;
    HMENU menu = LoadMenu(m_hInst, MAKEINTRESOURCE(m_iconData.uID));
    if (!menu)
        return FALSE;
    HMENU sub = GetSubMenu(menu, 0);
    if (!sub) {
        DestroyMenu(menu);
        return FALSE;
    }
    SetMenuDefaultItem(sub, m_nMenuDefault, m_bMenuDefaultByPos);
    DestroyMenu(menu);
    return TRUE;
}

void CTrayIcon::GetDefaultMenuItem(UINT& uItem, BOOL& bByPos) const
{
    uItem = m_nMenuDefault;
    bByPos = m_bMenuDefaultByPos;
}

BOOL CTrayIcon::ShowBalloonTip(LPCTSTR, LPCTSTR, DWORD, UINT) { return FALSE; }
