// Start-up and shutdown of the window system, and the run of the application object.
#include "ui/wx_windows.h"

#include <cstdio>

#include "kernel/kernel_object.h"
#include "kernel/program_paths.h"
#include "kernel/prompt_service.h"
#include "ui/retired_windows.h"
#include "ui/toolkit_messages.h"
#include "ui/winapp.h"

IPromptService& WindowPromptService();

namespace {

class LayerApp : public wxApp {
public:
    bool OnInit() override
    {
        SetExitOnFrameDelete(false);
        wxInitAllImageHandlers();
        // The program's windows hear when it gains or loses the activation.
        Bind(wxEVT_ACTIVATE_APP, [](wxActivateEvent& e) {
            for (HWND h : TopLevelWindows())
                if (IsWindow(h))
                    SendMessage(h, WM_ACTIVATEAPP, e.GetActive(), 0);
            e.Skip();
        });
        // Temporary drawing-object and window wrappers go when no handler that might hold one is running.
        Bind(wxEVT_IDLE, [](wxIdleEvent& e) {
            if (HandlerDepth() == 0) {
                GdiDeleteTempObjects();
                DeleteRetiredWindowObjects();
            }
            e.Skip();
        });
        return true;
    }
};

bool g_started = false;

std::string Quoted(const char* arg)
{
    std::string a = arg ? arg : "";
    if (a.find_first_of(" \t") == std::string::npos && !a.empty())
        return a;
    return "\"" + a + "\"";
}

}  // namespace

BOOL AfxWinInit(int argc, char** argv)
{
    if (g_started)
        return TRUE;
    __argc = argc;
    __argv = argv;
    // A toolkit assertion is reported on the error stream; it never stops the program with a dialog.
    wxSetAssertHandler(
        [](const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg) {
            std::fprintf(stderr, "toolkit assertion %s:%d %s: %s %s\n", (const char*)file.utf8_str(), line,
                         (const char*)func.utf8_str(), (const char*)cond.utf8_str(), (const char*)msg.utf8_str());
        });
    QuietToolkitMessages();
    wxApp::SetInstance(new LayerApp);
    static int wxArgc = 1;
    static char* wxArgv[] = {argv && argc > 0 ? argv[0] : const_cast<char*>("kestrin"), nullptr};
    if (!wxEntryStart(wxArgc, wxArgv) || !wxTheApp->CallOnInit())
        return FALSE;
    g_started = true;
    RegisterBuiltinClasses();
    InstallWindowDcProvider();
    StartDesktopWatch();
    SetWaitingThreadService(&RunCrossThreadSends);
    SetPromptService(&WindowPromptService());
    return TRUE;
}

void AfxWinTerm()
{
    if (!g_started)
        return;
    StopDesktopWatch();
    SetWaitingThreadService(nullptr);
    for (HWND h : TopLevelWindows())
        DestroyWindow(h);
    SetPromptService(nullptr);
    // Let the toolkit delete what was destroyed before it shuts down.
    if (wxTheApp) {
        wxGUIEventLoop loop;
        wxEventLoopActivator activate(&loop);
        loop.YieldFor(wxEVT_CATEGORY_ALL);
        wxTheApp->ProcessPendingEvents();
    }
    wxEntryCleanup();
    g_started = false;
}

int AfxWinMain(int argc, char** argv)
{
    CWinApp* app = AfxGetApp();
    if (!app || !AfxWinInit(argc, argv))
        return 1;
    std::string exe = argc > 0 && argv[0] ? argv[0] : "program";
    size_t slash = exe.find_last_of('/');
    if (slash != std::string::npos)
        exe = exe.substr(slash + 1);
    app->m_exeName = exe.c_str();
    app->m_pszExeName = app->m_exeName;
    if (!app->m_pszAppName) {
        app->m_appName = app->m_exeName;
        app->m_pszAppName = app->m_appName;
    }
    app->m_profileName = (GetProgramFolder() + exe + ".ini").c_str();
    app->m_pszProfileName = app->m_profileName;
    std::string line;
    for (int i = 1; i < argc; ++i)
        line += (i > 1 ? " " : "") + Quoted(argv[i]);
    app->m_commandLine = line.c_str();
    app->m_lpCmdLine = const_cast<char*>(app->m_commandLine.GetString());
    app->m_hInstance = AfxGetInstanceHandle();
    SetMessageBoxTitle(app->m_pszAppName);
    int code;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd && IsWindow(app->m_pMainWnd->GetSafeHwnd()))
            app->m_pMainWnd->DestroyWindow();
        code = app->ExitInstance();
    } else {
        code = app->Run();
    }
    AfxWinTerm();
    return code;
}

int CWinApp::Run()
{
    LONG count = 0;
    auto idle = [this, &count](wxIdleEvent& e) {
        if (OnIdle(count++))
            e.RequestMore();
        else
            count = 0;
    };
    wxTheApp->Bind(wxEVT_IDLE, idle);
    RunMessageLoop();
    wxTheApp->Unbind(wxEVT_IDLE, idle);
    return ExitInstance();
}
