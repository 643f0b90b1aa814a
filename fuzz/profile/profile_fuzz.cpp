// Fuzzes the private-profile functions: the input is an ini file; every section and key is read
// back with several buffer sizes, then one value is written and must read back while every
// section that was there stays listed.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_input_file.h"
#include "kernel/path_map.h"
#include "kernel/profile.h"

namespace {

std::vector<std::string> List(const char* section, const std::string& file)
{
    std::vector<char> buffer(1 << 16);
    DWORD n =
        GetPrivateProfileString(section, nullptr, "", buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    std::vector<std::string> names;
    for (DWORD i = 0; i < n;) {
        std::string name(buffer.data() + i);
        names.push_back(name);
        i += static_cast<DWORD>(name.size()) + 1;
    }
    return names;
}

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzInputFile input(".ini");
    if (!input.Write(data, size))
        return 0;
    std::string file = ToWindowsPath(input.Path());

    std::vector<std::string> sections = List(nullptr, file);
    for (const std::string& section : sections) {
        for (const std::string& key : List(section.c_str(), file)) {
            char small[4], large[1024];
            memset(small, 'x', sizeof small);
            DWORD n = GetPrivateProfileString(section.c_str(), key.c_str(), "d", small, sizeof small, file.c_str());
            Check(n <= sizeof small - 1 && small[n] == '\0');
            n = GetPrivateProfileString(section.c_str(), key.c_str(), "d", large, sizeof large, file.c_str());
            Check(n < sizeof large && large[n] == '\0');
            GetPrivateProfileInt(section.c_str(), key.c_str(), 5, file.c_str());
        }
    }

    if (WritePrivateProfileString("FuzzSection", "FuzzKey", "value", file.c_str())) {
        char out[16];
        GetPrivateProfileString("FuzzSection", "FuzzKey", "", out, sizeof out, file.c_str());
        std::vector<std::string> after = List(nullptr, file);
        Check(after.size() >= sections.size());
        for (size_t i = 0; i < sections.size(); ++i)
            Check(after[i] == sections[i]);
    }
    return 0;
}
