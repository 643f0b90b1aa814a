// Private-profile functions over ProfileDocument; each write holds the file's cross-process lock.
#include "kernel/profile.h"

#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "kernel/last_error.h"
#include "kernel/path_map.h"
#include "kernel/profile_document.h"
#include "kernel/profile_update.h"

namespace {

std::mutex& ProfileLock()
{
    static std::mutex lock;
    return lock;
}

// A list that does not fit: its first size - 2 characters and two NULs.
DWORD CutList(const std::string& list, LPSTR buffer, DWORD size)
{
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
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

// Names each ended by a NUL.
std::string JoinNames(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    return list;
}

DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    std::string list = JoinNames(names);
    if (list.size() + 1 <= size) {
        memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        if (list.empty() && size > 1)
            buffer[1] = '\0';
        return static_cast<DWORD>(list.size());
    }
    return CutList(list, buffer, size);
}

// Unlike the key list, the section-name list counts as cut when it only just fits, and an empty one is a
// single NUL.
DWORD CopySectionNames(const std::vector<std::string>& names, LPSTR buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    std::string list = JoinNames(names);
    if (list.empty() || list.size() + 1 < size) {
        memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        return static_cast<DWORD>(list.size());
    }
    return CutList(list, buffer, size);
}

// A line break inside a name or value would split the line and plant keys or sections of its
// own in the file: only the text before it is written.
std::string OneLine(LPCSTR text)
{
    std::string line(text);
    return line.substr(0, line.find_first_of("\r\n"));
}

}  // namespace

DWORD GetPrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                              LPCSTR fileName)
{
    std::lock_guard<std::mutex> guard(ProfileLock());
    ProfileDocument doc;
    if (fileName)
        doc.Load(MapPath(fileName));
    if (!section)
        return CopySectionNames(doc.SectionNames(), buffer, size);
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
    if (!section && !key && !value)
        return TRUE;  // all three null only asks for a flush: nothing is cached
    if (!section || !fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> guard(ProfileLock());
    // Deleting from a file that does not exist leaves no file behind.
    bool deletion = !key || !value;
    int error = UpdateProfileFile(MapPath(fileName), !deletion, [&](ProfileDocument& doc) {
        if (!key)
            doc.RemoveSection(OneLine(section));
        else if (!value)
            doc.RemoveKey(OneLine(section), OneLine(key));
        else
            doc.SetValue(OneLine(section), OneLine(key), OneLine(value));
    });
    if (error != 0) {
        SetLastErrorFromErrno(error);
        return FALSE;
    }
    return TRUE;
}
