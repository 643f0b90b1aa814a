// CComposerApp::InitInstance: start log, program folder, suite switch, single-instance check, the main dialog.
#include "composer/composer_app.h"

#include "composer/composer_dlg.h"
#include "kernel/program_paths.h"
#include "services/app_folder.h"
#include "services/log_writer.h"
#include "services/private_temp.h"
#include "services/system_info.h"
#include "skinui/skin_dialog.h"

BOOL CComposerApp::InitInstance()
{
    WriteLog("Program start!");
    char executable[MAX_PATH] = {};
    GetModuleFileName(nullptr, executable, MAX_PATH);
    SetAppFolder(executable);
    WriteLog(GetAppFolder());
    const CString argument = __argc > 1 ? CString(__argv[1]) : CString();
    WriteLog(argument);
    ReadSuiteSwitch(argument);
    g_strProductTitle = kProductTitle;
    g_strHelpPage = "help-com//help.htm";
    if (g_bStandAlone && IsAlreadyRunning())
        return FALSE;
    char report[2048] = {};
    CSystemInfo().GetReport(report);
    WriteLog(report);
    InstallScoreViewDialogs();
    {
        CComposerDlg dialog;
        dialog.m_strStartupSong = StartupSongPath(argument);
        m_pMainWnd = &dialog;
        dialog.DoModal();
        if (!g_bStandAlone)
            RestartSuiteLauncher();
        WriteLog("Program end!");
        m_pMainWnd = nullptr;
    }
    RemovePrivateTempFolder();
    return FALSE;
}
