// CTrayIcon: creation, adding and removing the icon, and the hidden window that serves each icon.
#include "skinui/tray_icon.h"

#include <cstring>
#include <map>

#include "ui/libraries.h"

namespace {

// The shell's broadcast that the taskbar was (re)created; registered before the program's main code runs.
const UINT g_uTaskbarCreated = RegisterWindowMessage("TaskbarCreated");

// Each hidden window serves the tray object that created it; an object leaves the table when destroyed.
std::map<HWND, CTrayIcon*>& TrayOfSink()
{
    static std::map<HWND, CTrayIcon*> table;
    return table;
}

}  // namespace

CTrayIcon::CTrayIcon() { m_iconData.cbSize = sizeof(NOTIFYICONDATA); }

CTrayIcon::CTrayIcon(HINSTANCE hInst, HWND hWndNotify, UINT uCallbackMessage, LPCTSTR szTip, HICON hIcon, UINT uID,
                     BOOL bHidden)
    : CTrayIcon()
{
    Create(hInst, hWndNotify, uCallbackMessage, szTip, hIcon, uID, bHidden);
}

CTrayIcon::~CTrayIcon()
{
    RemoveIcon();
    m_animIcons.clear();
    if (m_hIconFromFile)
        DestroyIcon(m_hIconFromFile);
    if (m_hWndSink) {
        TrayOfSink().erase(m_hWndSink);
        ::DestroyWindow(m_hWndSink);
        m_hWndSink = nullptr;
    }
}

BOOL CTrayIcon::Create(HINSTANCE hInst, HWND hWndNotify, UINT uCallbackMessage, LPCTSTR szTip, HICON hIcon, UINT uID,
                       BOOL bHidden)
{
    m_bShellOk = (GetVersion() & 0xFF) >= 4;
    if (!m_bShellOk)
        return FALSE;
    m_hInst = hInst;
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(WNDCLASSEX);
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = SinkProc;
    wc.hInstance = hInst;
    wc.lpszClassName = TRAY_ICON_CLASS;
    RegisterClassEx(&wc);
    if (!m_hWndSink) {
        m_hWndSink = CreateWindowEx(0, TRAY_ICON_CLASS, "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, nullptr, nullptr, hInst, nullptr);
        if (m_hWndSink)
            TrayOfSink()[m_hWndSink] = this;
    }
    m_iconData = NOTIFYICONDATA{};
    m_iconData.cbSize = sizeof(NOTIFYICONDATA);
    m_iconData.hWnd = hWndNotify ? hWndNotify : m_hWndSink;
    m_iconData.uID = uID;
    m_iconData.hIcon = hIcon;
    m_iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_iconData.uCallbackMessage = uCallbackMessage;
    CopyTip(szTip);
    m_bIconHidden = bHidden;
    m_nAddFlags = m_iconData.uFlags;
    if (bHidden)
        return TRUE;
    BOOL added = Shell_NotifyIcon(NIM_ADD, &m_iconData);
    m_bIconDeleted = m_bIconHidden = m_bAddPending = !added;
    return added;
}

BOOL CTrayIcon::AddIcon()
{
    if (!m_bIconDeleted)
        RemoveIcon();
    if (m_bShellOk) {
        m_iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        if (Shell_NotifyIcon(NIM_ADD, &m_iconData))
            m_bIconHidden = m_bIconDeleted = 0;
        else
            m_bAddPending = 1;
    }
    return !m_bIconDeleted;
}

BOOL CTrayIcon::RemoveIcon()
{
    m_bAddPending = 0;
    if (!m_bShellOk || m_bIconDeleted)
        return TRUE;
    m_iconData.uFlags = 0;
    if (Shell_NotifyIcon(NIM_DELETE, &m_iconData))
        m_bIconHidden = m_bIconDeleted = 1;
    return m_bIconDeleted;
}

BOOL CTrayIcon::HideIcon()
{
    if (!m_bShellOk || m_bIconDeleted || m_bIconHidden)
        return TRUE;
    RemoveIcon();
    return m_bIconHidden;
}

BOOL CTrayIcon::ShowIcon()
{
    if (m_bIconDeleted)
        return AddIcon();
    if (m_bIconHidden) {
        AddIcon();
        return !m_bIconHidden;
    }
    return TRUE;
}

void CTrayIcon::ReaddIcon()
{
    RemoveIcon();
    AddIcon();
}

void CTrayIcon::ReinstallIcon()
{
    if (!m_bAddPending || m_bIconHidden)
        return;
    m_iconData.uFlags = m_nAddFlags;
    BOOL added = Shell_NotifyIcon(NIM_ADD, &m_iconData);
    m_bIconHidden = !added;
    m_bAddPending = !m_bIconHidden;
}

LRESULT CALLBACK CTrayIcon::SinkProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto it = TrayOfSink().find(hWnd);
    if (it == TrayOfSink().end())
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    return it->second->OnSinkMessage(message, wParam, lParam);
}

LRESULT CTrayIcon::OnSinkMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_uTaskbarCreated) {
        ReinstallIcon();
        return 0;
    }
    if (message == WM_TIMER && wParam == kAnimationTimer) {
        if (m_nAnimDuration > 0 && time(nullptr) - m_tAnimBegin > m_nAnimDuration)
            StopAnimation();
        else
            ShowNextAnimationIcon();
        return 0;
    }
    if (message == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA) {
        ReinstallIcon();
        return 0;
    }
    if (message == m_iconData.uCallbackMessage && message != 0)
        return OnTrayNotification(wParam, lParam);
    return ::DefWindowProc(m_hWndSink, message, wParam, lParam);
}
