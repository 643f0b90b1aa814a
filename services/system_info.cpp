// The system report from the kernel's operating-system and processor sources.
#include "services/system_info.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "kernel/system_info_source.h"
#include "services/deliverable.h"

// Copies text into a 300-character field, cut to fit.
static void CopyField(char* field, const std::string& text) { std::snprintf(field, 300, "%s", text.c_str()); }

CSystemInfo::CSystemInfo() : m_dwCpuMhz(0), m_dwServicePack(0), m_dwBuild(0), m_dwMinorVersion(0), m_dwMajorVersion(0)
{
    m_szCpuName[0] = m_szCpuIdentifier[0] = m_szCpuVendor[0] = m_szOsDescription[0] = '\0';
}

CSystemInfo::~CSystemInfo() = default;

void CSystemInfo::GetOsInfo()
{
    OsIdentity os = GetOsNameAndBuild();
    m_dwMajorVersion = os.major;
    m_dwMinorVersion = os.minor;
    m_dwBuild = os.build;
    std::string description = os.name;
    if (!os.kernel.empty() && os.kernel != os.name)
        description += " (" + os.kernel + ")";
    CopyField(m_szOsDescription, description);
}

void CSystemInfo::GetCpuInfo()
{
    CpuIdentity cpu = GetCpuIdentity();
    // A field the source cannot tell keeps its previous value.
    if (!cpu.identifier.empty())
        CopyField(m_szCpuIdentifier, cpu.identifier);
    if (!cpu.vendor.empty())
        CopyField(m_szCpuVendor, cpu.vendor);
    if (!cpu.name.empty())
        CopyField(m_szCpuName, cpu.name);
    if (cpu.mhz > 0)
        m_dwCpuMhz = cpu.mhz;
}

CString CSystemInfo::GetCpuName()
{
    GetCpuInfo();
    return CString(m_szCpuName);
}

CString CSystemInfo::GetCpuIdentifier()
{
    GetCpuInfo();
    return CString(m_szCpuIdentifier);
}

void CSystemInfo::GetReport(char* buffer, int size)
{
    if (size <= 0)
        return;
    GetOsInfo();
    GetCpuInfo();
    CString report;
    report.Format("OS Info = %s, build = %d\r\nCPU Info = %s, %s, %s\r\n", m_szOsDescription,
                  static_cast<int>(m_dwBuild), m_szCpuIdentifier, m_szCpuVendor, m_szCpuName);
    if (IsConverterDeliverable())
        report.AppendFormat("DirectX Info = %s\r\n", GetDirectXVersionText().GetString());
    std::snprintf(buffer, static_cast<size_t>(size), "%s", report.GetString());
}

CString GetDirectXVersionText() { return "No DirectX installed."; }
