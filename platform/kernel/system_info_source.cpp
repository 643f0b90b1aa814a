// Operating-system and processor identity from /etc/os-release, uname and /proc/cpuinfo.
#include "kernel/system_info_source.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/utsname.h>

namespace {

std::string ReadAll(const char* path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Trim(const std::string& text)
{
    size_t b = text.find_first_not_of(" \t\r\n");
    size_t e = text.find_last_not_of(" \t\r\n");
    return b == std::string::npos ? std::string() : text.substr(b, e - b + 1);
}

// Value of "key = value" (cpuinfo) or KEY=value (os-release) in the first block of the text.
std::string Field(const std::string& text, const std::string& key, char separator)
{
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (Trim(line).empty() && separator == ':')
            break;  // end of the first processor
        size_t sep = line.find(separator);
        if (sep == std::string::npos || Trim(line.substr(0, sep)) != key)
            continue;
        std::string value = Trim(line.substr(sep + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return {};
}

}  // namespace

OsIdentity ParseOsIdentity(const std::string& osRelease, const std::string& systemName, const std::string& release)
{
    OsIdentity os;
    os.name = Field(osRelease, "PRETTY_NAME", '=');
    if (os.name.empty())
        os.name = Trim(Field(osRelease, "NAME", '=') + " " + Field(osRelease, "VERSION", '='));
    os.kernel = Trim(systemName + " " + release);
    if (os.name.empty())
        os.name = os.kernel;
    DWORD* parts[] = {&os.major, &os.minor, &os.build};
    const char* p = release.c_str();
    for (DWORD* part : parts) {
        char* end = nullptr;
        *part = static_cast<DWORD>(strtoul(p, &end, 10));
        if (end == p || *end != '.') {
            if (end == p)
                *part = 0;
            break;
        }
        p = end + 1;
    }
    return os;
}

CpuIdentity ParseCpuIdentity(const std::string& cpuinfo, const std::string& machine)
{
    CpuIdentity cpu;
    cpu.vendor = Field(cpuinfo, "vendor_id", ':');
    cpu.name = Field(cpuinfo, "model name", ':');
    cpu.mhz = static_cast<DWORD>(atof(Field(cpuinfo, "cpu MHz", ':').c_str()));
    std::string family = Field(cpuinfo, "cpu family", ':');
    if (!family.empty()) {
        std::string arch = machine == "x86_64" ? (cpu.vendor == "AuthenticAMD" ? "AMD64" : "Intel64") : "x86";
        cpu.identifier = arch + " Family " + family + " Model " + Field(cpuinfo, "model", ':') + " Stepping " +
                         Field(cpuinfo, "stepping", ':');
        return cpu;
    }
    // Other processors: the implementer and part numbers where the kernel gives them.
    std::string implementer = Field(cpuinfo, "CPU implementer", ':');
    if (cpu.vendor.empty())
        cpu.vendor = implementer;
    if (cpu.name.empty())
        cpu.name = Field(cpuinfo, "Hardware", ':');
    std::string part = Field(cpuinfo, "CPU part", ':');
    cpu.identifier = part.empty() ? machine : machine + " Implementer " + implementer + " Part " + part;
    return cpu;
}

OsIdentity GetOsNameAndBuild()
{
    utsname names{};
    uname(&names);
    std::string osRelease = ReadAll("/etc/os-release");
    if (osRelease.empty())
        osRelease = ReadAll("/usr/lib/os-release");
    return ParseOsIdentity(osRelease, names.sysname, names.release);
}

CpuIdentity GetCpuIdentity()
{
    utsname names{};
    uname(&names);
    return ParseCpuIdentity(ReadAll("/proc/cpuinfo"), names.machine);
}
