// Runner of the external ffmpeg program: one hidden child per request, its output read through a pipe.
#include "audio/ffmpeg_process.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "audio/audio_window.h"
#include "audio/ffmpeg_amr.h"
#include "kernel/path_map.h"
#include "kernel/process_api.h"
#include "services/documents_folder.h"
#include "services/log_writer.h"

int g_bCancelFfmpeg = 0;

namespace {

bool g_bRunInProgress = false;

// A path as ffmpeg is given it and echoes it: the file's real name, never read as an option.
std::string NativeArgument(const CString& strPath)
{
    std::string native = MapPathLiteral(static_cast<const char*>(strPath));
    if (!native.empty() && native[0] == '-')
        native = "./" + native;
    return native;
}

CString ProgramOf(const CString& strPrefix)
{
    std::vector<std::string> args = SplitCommandLine(static_cast<const char*>(strPrefix));
    return args.empty() ? CString() : CString(args[0]);
}

}  // namespace

CFfmpegProcess::CFfmpegProcess()
    : m_pOwnerWnd(nullptr),
      m_nOwnerMsg(0),
      m_wOwnerParam(0),
      m_bHeaderParsed(0),
      m_dDuration(0),
      m_bSuccess(1),
      m_bPumpMessages(1),
      m_dTime(0),
      m_nPercent(0)
{
    m_szLogText[0] = 0;
    Reset();
}

CFfmpegProcess::CFfmpegProcess(const CString& strInput, CWnd* pNotifyWnd) : CFfmpegProcess()
{
    m_strInputName = strInput;
    m_pOwnerWnd = pNotifyWnd;
    Probe();
}

void CFfmpegProcess::Reset()
{
    m_strPrefix = "ffmpeg -y -i ";
    m_dDuration = 0.0;
    m_dTime = 0.0;
    m_nPercent = 0;
    g_bCancelFfmpeg = 0;
    m_bSuccess = 1;
    m_strVideoInfo.Empty();
    m_strAudioInfo.Empty();
}

void CFfmpegProcess::SetNotify(CWnd* pWnd, UINT nMsg, WPARAM wParam)
{
    m_pOwnerWnd = pWnd;
    m_nOwnerMsg = nMsg;
    m_wOwnerParam = wParam;
}

void CFfmpegProcess::SetPrefix(const CString& strPrefix) { m_strPrefix = strPrefix; }

void CFfmpegProcess::DisableMessagePump() { m_bPumpMessages = 0; }

void CFfmpegProcess::Cancel() { g_bCancelFfmpeg = 1; }

bool CFfmpegProcess::IsRunning() { return g_bRunInProgress; }

void CFfmpegProcess::Probe() { Run(m_strInputName, CString(), CString()); }

void CFfmpegProcess::PostProgress(LPARAM value)
{
    if (m_pOwnerWnd)
        AudioPostMessage(m_pOwnerWnd, m_nOwnerMsg, m_wOwnerParam, value);
}

int CFfmpegProcess::Run(CString strInput, CString strOptions, CString strOutput)
{
    // The message pump lets commands in during a run; a second run then would nest inside the first.
    if (g_bRunInProgress) {
        m_bSuccess = 0;
        m_strError = "Another ffmpeg run is in progress.";
        WriteLog("ffmpeg run refused: another run is in progress");
        return -1;
    }
    g_bRunInProgress = true;

    CString strDocuments = GetDocumentsFolder();
    bool hasOutput = !strOutput.IsEmpty();
    FfmpegAmrPlan amr;
    if (hasOutput)
        PlanAmrFallback(ProgramOf(m_strPrefix), strDocuments, strOptions, &amr);
    std::string input = strInput.IsEmpty() ? std::string() : NativeArgument(strInput);
    std::string target = hasOutput ? NativeArgument(amr.active ? amr.strRawPath : strOutput) : std::string();
    SetEchoedNames(input, target);
    if (!strInput.IsEmpty())
        strInput = CString(QuoteCommandLineArgument(input));
    CString strTarget = hasOutput ? CString(QuoteCommandLineArgument(target)) : CString();
    // Empty options would glue the two quoted paths into one argument.
    if (!strInput.IsEmpty() && (strOptions.IsEmpty() || strOptions[0] != ' '))
        strOptions = " " + strOptions;
    if (hasOutput && (strOptions.IsEmpty() || strOptions[strOptions.GetLength() - 1] != ' '))
        strOptions += " ";
    strOptions += strTarget;
    m_bHeaderParsed = 0;
    // The process id keeps the logs of the two programs apart when they run at once.
    m_strLogPath.Format("%scheckffmpegtxt-%d-%04d.txt", static_cast<const char*>(strDocuments),
                        static_cast<int>(getpid()), static_cast<int>(clock() % 10000));
    CreateEmptyFile(m_strLogPath);
    CString strCommand = m_strPrefix + strInput + strOptions;

    int result = RunChild(strCommand, hasOutput);
    // ffmpeg can end with 0 and no file (nothing to write); only a file that exists is an output.
    if (result == 0 && hasOutput && m_bSuccess && access(target.c_str(), F_OK) != 0) {
        m_bSuccess = 0;
        m_strError = "ffmpeg wrote no output file.";
    }
    if (result == 0 && amr.active) {
        if (m_bSuccess && !FinishAmrFallback(amr, strOutput)) {
            m_bSuccess = 0;
            m_strError.Format("AMR encoding failed: %s", std::strerror(errno));
        }
        RemoveFile(amr.strRawPath);
    }
    if (result == 0) {
        if (m_pOwnerWnd) {
            PostProgress(100);
            PostProgress(-1);
            if (!m_bSuccess)
                PostProgress(-2);
        }
        ParseLogHeader();
    }
    RemoveFile(m_strLogPath);
    g_bRunInProgress = false;
    return result;
}

int CFfmpegProcess::RunChild(const CString& strCommand, bool judgeExitCode)
{
    SECURITY_ATTRIBUTES sa = {12, nullptr, TRUE};
    HANDLE hOutRead = nullptr, hOutWrite = nullptr, hInRead = nullptr, hInWrite = nullptr;
    if (!CreatePipe(&hOutRead, &hOutWrite, &sa, 0)) {
        AudioMessageBox("Create   STDOUT   pipe   failed");
        m_bSuccess = 0;
        m_strError = "Create STDOUT pipe failed";
        return -1;
    }
    if (!CreatePipe(&hInRead, &hInWrite, &sa, 0)) {
        CloseHandle(hOutRead);
        CloseHandle(hOutWrite);
        AudioMessageBox("Create   STDIN   pipe   failed");
        m_bSuccess = 0;
        m_strError = "Create STDIN pipe failed";
        return -1;
    }

    STARTUPINFO si;
    GetStartupInfo(&si);
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    si.wShowWindow = SW_SHOW;
    si.hStdInput = hInRead;
    si.hStdOutput = hOutWrite;
    si.hStdError = hOutWrite;
    PROCESS_INFORMATION pi = {};
    CString strLine = strCommand;
    // ffmpeg must not go on writing for a program that has been killed.
    BOOL started =
        CreateProcess(nullptr, strLine.GetBuffer(strLine.GetLength()), nullptr, nullptr, TRUE,
                      CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS | CREATE_ENDS_WITH_PARENT, nullptr, nullptr, &si, &pi);
    int startError = errno;
    strLine.ReleaseBuffer();
    CloseHandle(hOutWrite);
    CloseHandle(hInRead);
    if (!started) {
        CloseHandle(hOutRead);
        CloseHandle(hInWrite);
        WriteLog("create process failed");
        m_bSuccess = 0;
        m_strError.Format("Can't start %s: %s", static_cast<const char*>(ProgramOf(strCommand)),
                          std::strerror(startError));
        return -1;
    }

    bool cancelled = false;
    char chunk[1024];
    DWORD got = 0;
    while (ReadFile(hOutRead, chunk, sizeof chunk - 1, &got, nullptr)) {
        chunk[got] = 0;
        AppendToFile(chunk, static_cast<int>(got), m_strLogPath);
        if (strstr(chunk, "time=") && !m_bHeaderParsed)
            ParseLogHeader();
        CString strChunk(chunk, static_cast<int>(got));
        ParseMessages(strChunk);
        ParseProgress(strChunk);
        if (g_bCancelFfmpeg) {
            DWORD written = 0;
            WriteFile(hInWrite, "q", 2, &written, nullptr);
            WriteLog("Cancel the converting by user.");
            cancelled = true;
            break;
        }
        if (m_bPumpMessages)
            PumpMessages(nullptr);
        if (m_pOwnerWnd && m_nPercent != 0)
            PostProgress(m_nPercent);
    }
    FinishMessages();

    // ffmpeg has closed its output and is ending; its exit code tells a failed run from a good one.
    DWORD exitCode = 0;
    if (!cancelled) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, &exitCode);
    }
    TerminateProcess(pi.hProcess, 1);
    CloseHandle(hOutRead);
    CloseHandle(hInWrite);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    if (cancelled) {
        m_bSuccess = 0;
        m_strError = "Cancelled.";
    } else if (judgeExitCode && exitCode != 0) {
        m_bSuccess = 0;
        if (m_strError.IsEmpty())
            m_strError = !m_strLastMessage.IsEmpty() ? m_strLastMessage : CString("ffmpeg failed.");
    }
    return 0;
}
