// CTrayIcon: one icon in the desktop's notification area, with a hidden window of its own for timer and shell
// messages.
#pragma once

#include <ctime>
#include <vector>

#include "ui/shellapi.h"
#include "ui/ui.h"

// The class of the hidden window every tray icon owns.
#define TRAY_ICON_CLASS "TrayIconClass"

class CTrayIcon {
public:
    // The animation's timer on the hidden window.
    static constexpr UINT_PTR kAnimationTimer = 4567;

    CTrayIcon();
    CTrayIcon(HINSTANCE hInst, HWND hWndNotify, UINT uCallbackMessage, LPCTSTR szTip, HICON hIcon, UINT uID,
              BOOL bHidden = FALSE);
    virtual ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // The callback messages that reach the hidden window (an icon without a notify window).
    virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
    // Called with the popup menu before it is shown.
    virtual void PrepareMenu(HMENU hMenu);

    // FALSE on a system below version 4, or when the icon could not be added.
    BOOL Create(HINSTANCE hInst, HWND hWndNotify, UINT uCallbackMessage, LPCTSTR szTip, HICON hIcon, UINT uID,
                BOOL bHidden = FALSE);

    BOOL AddIcon();
    BOOL RemoveIcon();
    BOOL HideIcon();
    BOOL ShowIcon();
    void ReaddIcon();
    BOOL IsEnabled() const { return m_bShellOk; }
    BOOL IsHidden() const { return m_bIconHidden; }
    BOOL IsRemoved() const { return m_bIconDeleted; }
    BOOL IsAddPending() const { return m_bAddPending; }

    BOOL SetIcon(HICON hIcon);
    BOOL SetIcon(LPCTSTR szFile);
    BOOL SetIcon(UINT nIconId);
    BOOL SetSystemIcon(LPCTSTR szName);
    BOOL SetSystemIcon(UINT nIconId);
    HICON GetIcon() const;

    BOOL SetTip(LPCTSTR szTip);
    BOOL SetTip(UINT nStringId);
    // A copy of the tip in a buffer shared by every tray icon; null when not enabled.
    LPCTSTR GetTip() const;

    BOOL SetNotifyWindow(HWND hWnd);
    HWND GetNotifyWindow() const { return m_iconData.hWnd; }
    void SetCommandWindow(HWND hWnd) { m_hWndCommand = hWnd; }
    HWND GetCommandWindow() const { return m_hWndCommand ? m_hWndCommand : m_iconData.hWnd; }
    BOOL SetNotifyMessage(UINT uMessage);
    UINT GetNotifyMessage() const { return m_iconData.uCallbackMessage; }
    HWND GetSinkWindow() const { return m_hWndSink; }

    BOOL SetDefaultMenuItem(UINT uItem, BOOL bByPos);
    void GetDefaultMenuItem(UINT& uItem, BOOL& bByPos) const;

    BOOL LoadAnimationIcons(UINT nFirstId, UINT nLastId);
    BOOL LoadAnimationIcons(HICON* phIcons, int nLastIndex);
    BOOL StartAnimation(UINT nMsPerFrame, int nSeconds);
    BOOL ShowNextAnimationIcon();
    void StopAnimation();
    int GetAnimationIconCount() const { return (int)m_animIcons.size(); }

    // The notify-icon record this shell takes has no balloon fields: a balloon is never shown.
    BOOL ShowBalloonTip(LPCTSTR szText, LPCTSTR szTitle, DWORD dwInfoFlags, UINT uTimeoutSeconds);

    // Shrinking a window into the notification area and growing it back out, where the desktop animates.
    static BOOL IsWindowAnimationOn();
    static void GetNotificationAreaRect(RECT* pRect);
    // Gives the window a hidden owner, so that it has no task-bar button; FALSE when that cannot be made.
    static BOOL HideTaskbarButton(HWND hWnd);
    static void AnimateWindowToTray(HWND hWnd);
    static void AnimateWindowFromTray(HWND hWnd);

private:
    static LRESULT CALLBACK SinkProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSinkMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ReinstallIcon();
    void CopyTip(LPCTSTR szTip);

    NOTIFYICONDATA m_iconData{};
    HINSTANCE m_hInst = nullptr;
    HWND m_hWndSink = nullptr;
    HWND m_hWndCommand = nullptr;
    int m_bShellOk = 0;
    int m_bIconHidden = 1;
    int m_bIconDeleted = 1;
    int m_bAddPending = 0;
    std::vector<HICON> m_animIcons;
    UINT_PTR m_nAnimTimer = 0;
    int m_nAnimFrame = 0;
    time_t m_tAnimBegin = 0;
    int m_nAnimDuration = 0;
    HICON m_hIconBeforeAnim = nullptr;
    HICON m_hIconFromFile = nullptr;  // an icon loaded from a file stays alive while the tray may show it
    UINT m_nMenuDefault = 0;
    int m_bMenuDefaultByPos = 1;
    UINT m_nAddFlags = 0;
};
