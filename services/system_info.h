// CSystemInfo: the operating-system and processor report written to the log at start.
#pragma once

#include "kernel/cstring.h"

class CSystemInfo {
public:
    CSystemInfo();
    virtual ~CSystemInfo();

    // Refreshes the fields and writes "OS Info = %s, build = %d\r\nCPU Info = %s, %s, %s\r\n" into
    // buffer (at most size bytes, NUL included); the converter adds "DirectX Info = %s\r\n".
    void GetReport(char* buffer, int size);
    template <int N>
    void GetReport(char (&buffer)[N])
    {
        GetReport(buffer, N);
    }
    void GetOsInfo();
    void GetCpuInfo();
    CString GetCpuName();
    CString GetCpuIdentifier();

    char m_szCpuName[300];
    char m_szCpuIdentifier[300];
    char m_szCpuVendor[300];
    char m_szOsDescription[300];
    DWORD m_dwCpuMhz;
    DWORD m_dwServicePack;
    DWORD m_dwBuild;
    DWORD m_dwMinorVersion;
    DWORD m_dwMajorVersion;
};

// The converter's DirectX line; no DirectX setup library answers on this system.
CString GetDirectXVersionText();
