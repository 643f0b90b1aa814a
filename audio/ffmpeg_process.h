// Runner of the external ffmpeg program: command lines, progress posts, error detection and the input's description.
#pragma once

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
    // is in progress.
    int Run(CString strInput, CString strOptions, CString strOutput);

    double ParseTime(const CString& strTime);
    void ParseProgress(const CString& strChunk);
    void ParseLogHeader();
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

private:
    void PostProgress(LPARAM value);
    int RunChild(const CString& strCommand, bool judgeExitCode);
};

// Small file helpers of the runner's log (paths in the program's Windows form).
void CreateEmptyFile(const CString& strPath);
void RemoveFile(const CString& strPath);
void AppendToFile(const void* pData, int nLength, const CString& strPath);
