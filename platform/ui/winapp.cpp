// CWinApp: the one application object, its names, command line and profile settings.
#include "ui/winapp.h"

#include "kernel/profile.h"
#include "kernel/program_paths.h"
#include "ui/commctrl.h"
#include "ui/window_link.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

int __argc = 0;
char** __argv = nullptr;

namespace {

CWinApp* g_app = nullptr;

}  // namespace

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

CWinApp::CWinApp(LPCTSTR appName)
{
    g_app = this;
    if (appName) {
        m_appName = appName;
        m_pszAppName = m_appName;
    }
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

BOOL CWinApp::OnIdle(LONG) { return FALSE; }

BOOL CWinApp::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWinApp::PumpMessage()
{
    MSG msg;
    if (!::GetMessage(&msg, nullptr, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&msg) && !PreTranslateWalk(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue)
{
    return ::GetPrivateProfileInt(section, entry, defaultValue, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue)
{
    char buffer[4096];
    ::GetPrivateProfileString(section, entry, defaultValue ? defaultValue : "", buffer, sizeof(buffer),
                              m_pszProfileName);
    return CString(buffer);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value)
{
    CString text;
    text.Format("%d", value);
    return ::WritePrivateProfileString(section, entry, text, m_pszProfileName);
}

BOOL CWinApp::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value)
{
    return ::WritePrivateProfileString(section, entry, value, m_pszProfileName);
}

BOOL AfxSocketInit() { return TRUE; }

BOOL AfxOleInit() { return TRUE; }

void AfxEnableControlContainer() {}

void InitCommonControls() {}
