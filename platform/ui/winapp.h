// CWinApp: the application object whose InitInstance the layer's start-up runs, and the start-up services.
#pragma once

#include "kernel/resources.h"
#include "ui/wnd.h"

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The application's own message loop, until the quit message; answers ExitInstance.
    virtual int Run();
    virtual BOOL OnIdle(LONG count);
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Waits for one message and handles it; FALSE on the quit message.
    virtual BOOL PumpMessage();

    // Settings in the application's profile (an ini file beside the program unless set otherwise).
    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
    CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
    BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);

    HCURSOR LoadCursor(UINT id) const { return ::LoadCursor(m_hInstance, MAKEINTRESOURCE(id)); }
    HCURSOR LoadStandardCursor(LPCTSTR name) const { return ::LoadCursor(nullptr, name); }
    HICON LoadIcon(UINT id) const { return ::LoadIcon(m_hInstance, MAKEINTRESOURCE(id)); }
    HICON LoadStandardIcon(LPCTSTR name) const { return ::LoadIcon(nullptr, name); }

    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;

private:
    CString m_appName;
    CString m_exeName;
    CString m_profileName;
    CString m_commandLine;
    friend int AfxWinMain(int argc, char** argv);
};

CWinApp* AfxGetApp();

// Runs the program: starts the window system, calls the application object's InitInstance, then its
// message loop when InitInstance answers TRUE, and ExitInstance; answers the exit code.
int AfxWinMain(int argc, char** argv);

// Starts the window system without running the application object (tools and tests); AfxWinTerm ends it.
BOOL AfxWinInit(int argc, char** argv);
void AfxWinTerm();

// Services some programs start before their windows; all are available here.
BOOL AfxSocketInit();
BOOL AfxOleInit();
void AfxEnableControlContainer();

// The command line, as the C runtime gives it.
extern int __argc;
extern char** __argv;
