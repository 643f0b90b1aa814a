// Runner of the external ffmpeg program: command lines, progress posts, error detection and the input's description.
#pragma once

#include <string>

#include "kernel/cstring.h"
#include "kernel/object.h"
#include "kernel/windef.h"

class CWnd;

// Cancel request of whatever run is in progress; Reset clears it.
extern int g_bCancelFfmpeg;

class CFfmpegProcess : public CObject {
public:
    CFfmpegProcess();
    // Probes the input at once; the object then holds its name, duration and stream descriptions.
    CFfmpegProcess(const CString& strInput, CWnd* pNotifyWnd);
    ~CFfmpegProcess() override = default;

    void Reset();
    void SetNotify(CWnd* pWnd, UINT nMsg, WPARAM wParam);
    void SetPrefix(const CString& strPrefix);
    void DisableMessagePump();
    static void Cancel();

    void Probe();
    // 0 after the child ran (its outcome is in m_bSuccess), -1 when it could not be started or another run
    // is in progress. A run with an output succeeds when ffmpeg exits with 0, none of its own message lines
    // holds an error text and the output file exists; m_strError then tells why it failed.
    int Run(CString strInput, CString strOptions, CString strOutput);

    double ParseTime(const CString& strTime);
    void ParseProgress(const CString& strChunk);
    void ParseLogHeader();
    // ffmpeg's output as it comes: every whole line that is ffmpeg's own message (not an echo of a file
    // name, a stream or a tag) and holds an error text clears m_bSuccess; the first one becomes m_strError.
    void ParseMessages(const CString& strChunk);
    // The last line, once ffmpeg has ended.
    void FinishMessages();
    // The file names as ffmpeg echoes them, which are not its messages; also starts a new output.
    void SetEchoedNames(const std::string& input, const std::string& output);
    // The header fields from a whole output text (what ParseLogHeader does after reading the log).
    void ParseHeaderText(const char* text);

    // True while any run of this process is in progress.
    static bool IsRunning();

    CWnd* m_pOwnerWnd;
    UINT m_nOwnerMsg;
    WPARAM m_wOwnerParam;
    int m_bHeaderParsed;
    CString m_strLogPath;
    char m_szLogText[80000];
    CString m_strPrefix;
    double m_dDuration;
    int m_bSuccess;
    int m_bPumpMessages;
    double m_dTime;
    int m_nPercent;
    CString m_strInputName;
    CString m_strVideoInfo;
    CString m_strAudioInfo;
    // Why the last run failed, for the user: ffmpeg's own message line or the system's error text.
    CString m_strError;

private:
    void PostProgress(LPARAM value);
    int RunChild(const CString& strCommand, bool judgeExitCode);
    void ParseMessageLine(const std::string& line);

    std::string m_echoedInput;
    std::string m_echoedOutput;
    std::string m_pendingLine;
    CString m_strLastMessage;
};

// Small file helpers of the runner's log (paths in the program's Windows form).
void CreateEmptyFile(const CString& strPath);
void RemoveFile(const CString& strPath);
void AppendToFile(const void* pData, int nLength, const CString& strPath);
