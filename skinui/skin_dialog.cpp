// CSkinDialog: construction, start-up, the caption commands, the tray callback and dragging by the caption strip.
#include "skinui/skin_dialog.h"

#include "kernel/resources.h"
#include "services/app_folder.h"
#include "services/deliverable.h"
#include "services/skin_element.h"
#include "skinui/about_dialog.h"
#include "ui/shellapi.h"

int g_nCaptionHeight = 20;
CString g_strProductTitle;
CString g_strProductVersion = "2.00";
CString g_strHomePage = "https://quaverly.example/";
CString g_strHelpPage = "help-com//help.htm";

namespace {

constexpr UINT kTrayIconResource = 128;

}  // namespace

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
ON_MESSAGE(WM_SKINCOMMAND, OnSkinCommand)
ON_MESSAGE(WM_TRAYNOTIFY, OnTrayNotify)
ON_WM_ERASEBKGND()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_PAINT()
ON_WM_SIZE()
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog(UINT nIDTemplate, CWnd* pParent, CString strTitle, int nCaptionMode)
    : CDialog(nIDTemplate, pParent), m_nCaptionMode(nCaptionMode), m_strTitle(strTitle)
{
}

CSkinDialog::~CSkinDialog() = default;

void CSkinDialog::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BOOL CSkinDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The converter's dialogs place their caption buttons themselves, after their own set-up.
    if (!IsConverterDeliverable())
        CreateCaptionButtons();
    if (m_nCaptionMode != CAPTION_MAIN)
        return TRUE;
    HICON icon = LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCE(kTrayIconResource));
    BOOL created = m_trayIcon.Create(AfxGetInstanceHandle(), m_hWnd, WM_TRAYNOTIFY, g_strProductTitle, icon, 0, FALSE);
    // The icon exists but stays out of the notification area until the window is hidden to it.
    m_trayIcon.HideIcon();
    return created || m_trayIcon.IsEnabled();
}

void CSkinDialog::OnOK() { CDialog::OnOK(); }

void CSkinDialog::OnCancel() { CDialog::OnCancel(); }

LRESULT CSkinDialog::OnSkinCommand(WPARAM nCommand, LPARAM)
{
    if (IsConverterDeliverable()) {
        OnConverterSkinCommand(nCommand);
        return 0;
    }
    switch (nCommand) {
    case ID_CAPTION_CLOSE:
        if (m_nCaptionMode == CAPTION_CHILD)
            OnCancel();
        else
            PostQuitMessage(0);
        break;
    case ID_CAPTION_TOTRAY:
        m_trayIcon.ShowIcon();
        ShowWindow(SW_HIDE);
        break;
    case ID_CAPTION_MINIMIZE: ShowWindow(SW_MINIMIZE); break;
    case ID_CAPTION_MAXIMIZE:
        m_bSizedByCaption = 1;
        m_bMaximized = 1;
        ShowWindow(SW_MAXIMIZE);
        break;
    case ID_CAPTION_RESTORE:
        m_bSizedByCaption = 1;
        m_bMaximized = 0;
        ShowWindow(SW_RESTORE);
        break;
    case ID_CAPTION_ABOUT: {
        CSkinElement about;
        LoadSkinElement(42, &about);
        CAboutDialog dlg(about.tip, nullptr);
        dlg.DoModal();
        break;
    }
    case ID_CAPTION_HOMEPAGE:
        ShellExecute(nullptr, nullptr, "Iexplore.exe", g_strHomePage, nullptr, SW_SHOWNORMAL);
        break;
    case ID_CAPTION_HELP:
        ShellExecute(m_hWnd, "open", GetAppFolder() + g_strHelpPage, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    }
    return 0;
}

void CSkinDialog::OnConverterSkinCommand(WPARAM nCommand)
{
    switch (nCommand) {
    case ID_CONV_CLOSE:
        if (m_nCaptionMode == CAPTION_CHILD)
            OnCancel();
        else
            PostQuitMessage(0);
        break;
    case ID_CONV_TOTRAY:
        m_trayIcon.ShowIcon();
        ShowWindow(SW_HIDE);
        break;
    case ID_CONV_MINIMIZE: ShowWindow(SW_MINIMIZE); break;
    case ID_CONV_MAXIMIZE:
        m_bMaximized = 1;
        ShowWindow(SW_MAXIMIZE);
        break;
    case ID_CONV_RESTORE:
        m_bMaximized = 0;
        ShowWindow(SW_RESTORE);
        break;
    case ID_CONV_HOMEPAGE: ShellExecute(nullptr, nullptr, "Iexplore.exe", g_strHomePage, nullptr, SW_SHOWNORMAL); break;
    case ID_CONV_HELP:
        ShellExecute(nullptr, nullptr, "Iexplore.exe", GetAppFolder() + "help\\help.htm", nullptr, SW_SHOWNORMAL);
        break;
    }
}

LRESULT CSkinDialog::OnTrayNotify(WPARAM, LPARAM lParam)
{
    UINT mouse = LOWORD(lParam);
    if (mouse == WM_LBUTTONUP || mouse == WM_RBUTTONUP) {
        m_trayIcon.HideIcon();
        ShowWindow(SW_SHOWNORMAL);
    }
    return 0;
}

BOOL CSkinDialog::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }

void CSkinDialog::OnTimer(UINT_PTR) { Default(); }

void CSkinDialog::OnLButtonDown(UINT, CPoint point)
{
    // The caption strip drags the window as a system caption would.
    if (point.y < kDragStripHeight)
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    Default();
}
