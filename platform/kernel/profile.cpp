// Private-profile functions over ProfileDocument, serialised by one process-wide lock.
#include "kernel/profile.h"

#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "kernel/last_error.h"
#include "kernel/path_map.h"
#include "kernel/profile_document.h"

namespace {

std::mutex& ProfileLock()
{
    static std::mutex lock;
    return lock;
}

DWORD CopyValue(const std::string& value, LPSTR buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    DWORD n = value.size() < size ? static_cast<DWORD>(value.size()) : size - 1;
    memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return n;
}

DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    if (list.size() + 1 <= size) {
        memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        if (list.empty() && size > 1)
            buffer[1] = '\0';
        return static_cast<DWORD>(list.size());
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

// A line break inside a name or value would split the line and plant keys or sections of its
// own in the file: only the text before it is written.
std::string OneLine(LPCSTR text)
{
    std::string line(text);
    return line.substr(0, line.find_first_of("\r\n"));
}

} // namespace

DWORD GetPrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                              LPCSTR fileName)
{
    std::lock_guard<std::mutex> guard(ProfileLock());
    ProfileDocument doc;
    if (fileName)
        doc.Load(MapPath(fileName));
    if (!section)
        return CopyList(doc.SectionNames(), buffer, size);
    if (!key)
        return CopyList(doc.KeyNames(section), buffer, size);
    if (auto value = doc.GetValue(section, key))
        return CopyValue(*value, buffer, size);
    std::string fallback = defaultValue ? defaultValue : "";
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.pop_back();
    SetLastError(ERROR_FILE_NOT_FOUND);
    return CopyValue(fallback, buffer, size);
}

UINT GetPrivateProfileInt(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName)
{
    if (!section || !key)
        return static_cast<UINT>(defaultValue);
    char buffer[1024];
    if (GetPrivateProfileString(section, key, "", buffer, sizeof buffer, fileName) == 0)
        return static_cast<UINT>(defaultValue);
    const char* p = buffer;
    bool negative = false;
    if (*p == '-' || *p == '+')
        negative = *p++ == '-';
    unsigned long long value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + static_cast<unsigned>(*p++ - '0');
        value &= 0xFFFFFFFFull;
    }
    UINT result = static_cast<UINT>(value);
    return negative ? 0u - result : result;
}

BOOL WritePrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName)
{
    if (!section)
        return !key && !value;  // all three null only asks for a flush: nothing is cached
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> guard(ProfileLock());
    std::string path = MapPath(fileName);
    ProfileDocument doc;
    bool existed = doc.Load(path);
    if (!key)
        doc.RemoveSection(OneLine(section));
    else if (!value)
        doc.RemoveKey(OneLine(section), OneLine(key));
    else
        doc.SetValue(OneLine(section), OneLine(key), OneLine(value));
    if (!existed && (!key || !value))
        return TRUE;  // deleting from a file that does not exist leaves no file behind
    if (!doc.Save(path)) {
        SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}
