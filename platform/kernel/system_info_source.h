// What the system report says about the operating system and the processor.
#pragma once

#include <string>

#include "kernel/windef.h"

struct OsIdentity {
    std::string name;    // PRETTY_NAME of /etc/os-release, else the kernel's name
    std::string kernel;  // uname: system name and release, e.g. "Linux 6.1.0-18-amd64"
    DWORD major = 0;     // the kernel release's numbers: 6.1.55 gives 6, 1 and 55
    DWORD minor = 0;
    DWORD build = 0;
};

struct CpuIdentity {
    std::string identifier;  // "Intel64 Family 6 Model 158 Stepping 10", or the machine name
    std::string vendor;      // "GenuineIntel", "AuthenticAMD", ...
    std::string name;        // the model name
    DWORD mhz = 0;
};

OsIdentity GetOsNameAndBuild();
// From the first processor of /proc/cpuinfo; fields it lacks stay empty (or 0).
CpuIdentity GetCpuIdentity();

// The same, from given file contents (os-release, cpuinfo) and uname fields.
OsIdentity ParseOsIdentity(const std::string& osRelease, const std::string& systemName, const std::string& release);
CpuIdentity ParseCpuIdentity(const std::string& cpuinfo, const std::string& machine);
