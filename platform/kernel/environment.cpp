// Environment lookups with Windows names and %NAME% expansion.
#include "kernel/environment.h"

#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <unistd.h>

#include "kernel/last_error.h"
#include "kernel/path_map.h"
#include "kernel/user_folders.h"

extern char** environ;

std::optional<std::string> LookupEnvironmentVariable(const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    if (const char* v = getenv(name.c_str()))
        return std::string(v);
    for (char** e = environ; e && *e; ++e) {
        const char* eq = strchr(*e, '=');
        if (eq && static_cast<size_t>(eq - *e) == name.size() && strncasecmp(*e, name.c_str(), name.size()) == 0)
            return std::string(eq + 1);
    }
    std::string upper(name);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c -= 32;
    if (upper == "USERPROFILE")
        return ToWindowsPath(GetHomeFolder());
    if (upper == "APPDATA" || upper == "LOCALAPPDATA")
        return ToWindowsPath(GetConfigFolder());
    if (upper == "TEMP" || upper == "TMP") {
        const char* tmp = getenv("TMPDIR");
        return ToWindowsPath(tmp && *tmp ? tmp : "/tmp");
    }
    return std::nullopt;
}

DWORD ExpandEnvironmentStrings(LPCSTR source, LPSTR destination, DWORD size)
{
    std::string out;
    const char* p = source ? source : "";
    while (*p) {
        const char* close = *p == '%' ? strchr(p + 1, '%') : nullptr;
        if (!close) {
            out += *p++;
            continue;
        }
        std::string name(p + 1, close);
        if (auto value = LookupEnvironmentVariable(name)) {
            out += *value;
            p = close + 1;
        } else {
            // An unknown name is kept, and its closing '%' may open the next name.
            out.append(p, close);
            p = close;
        }
    }
    DWORD needed = static_cast<DWORD>(out.size() + 1);
    if (destination && needed <= size)
        memcpy(destination, out.c_str(), needed);
    else if (destination && size > 0)
        destination[0] = '\0';
    return needed;
}

DWORD GetEnvironmentVariable(LPCSTR name, LPSTR buffer, DWORD size)
{
    auto value = name ? LookupEnvironmentVariable(name) : std::nullopt;
    if (!value) {
        SetLastError(203);  // ERROR_ENVVAR_NOT_FOUND
        return 0;
    }
    if (!buffer || value->size() + 1 > size)
        return static_cast<DWORD>(value->size() + 1);
    memcpy(buffer, value->c_str(), value->size() + 1);
    return static_cast<DWORD>(value->size());
}

BOOL SetEnvironmentVariable(LPCSTR name, LPCSTR value)
{
    if (!name || !*name)
        return FALSE;
    return (value ? setenv(name, value, 1) : unsetenv(name)) == 0;
}
