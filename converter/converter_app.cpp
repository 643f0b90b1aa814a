// CConverterApp::InitInstance: the start-up steps and the main dialog's run.
#include "converter/converter_app.h"

#include "converter/clip_info_sweep.h"
#include "converter/converter_dlg.h"
#include "converter/startup_checks.h"
#include "kernel/program_paths.h"
#include "services/app_folder.h"
#include "services/log_writer.h"
#include "services/private_temp.h"
#include "services/system_info.h"
#include "skinui/skin_dialog.h"

BOOL CConverterApp::InitInstance()
{
    if (!AfxSocketInit())
        return FALSE;
    AfxEnableControlContainer();
    WriteLog("Program start!");
    char executable[MAX_PATH] = {};
    GetModuleFileName(nullptr, executable, MAX_PATH);
    SetAppFolder(executable);
    WriteLog(GetAppFolder());
    const CString argument = __argc > 1 ? CString(__argv[1]) : CString();
    WriteLog(argument);
    ReadSuiteSwitch(argument);
    // The skinned boxes, the about box's version line among them, name the program by this title.
    g_strProductTitle = g_productTitle;
    if (g_standAlone && IsConverterRunning())
        return FALSE;
    char report[2048] = {};
    CSystemInfo().GetReport(report);
    WriteLog(report);
    if (!AfxOleInit())
        return FALSE;
    // Leftovers of earlier runs go now, not when a file is first added: the preview waves of a run that was
    // killed, and the clip-info files of media that are gone.
    GetPrivateTempFolder();
    RemoveStaleClipInfoFiles();
    CConverterDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    LeaveClipInfoFolder();
    return TRUE;
}
