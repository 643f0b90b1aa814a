// CConverterApp::InitInstance: the start-up steps and the main dialog's run.
#include "converter/converter_app.h"

#include "converter/converter_dlg.h"
#include "kernel/program_paths.h"
#include "services/app_folder.h"
#include "services/log_writer.h"
#include "services/system_info.h"

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
    if (g_standAlone && IsConverterRunning())
        return FALSE;
    char report[2048] = {};
    CSystemInfo().GetReport(report);
    WriteLog(report);
    if (!AfxOleInit())
        return FALSE;
    CConverterDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return TRUE;
}
