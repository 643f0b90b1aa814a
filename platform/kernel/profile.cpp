// Private-profile functions over ProfileDocument; each write holds the file's cross-process lock, and reads
// share one parsed copy of each file until it changes on disk.
#include "kernel/profile.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <time.h>
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

// A parsed file with the identity and times it had when it was read: a file that still shows them is not
// parsed again, however many settings are read from it.
struct ParsedFile {
    struct stat st = {};
    bool settled = false;  // changed long enough before the read that a later change shows in its times
    ProfileDocument document;
};

// File times advance in coarse steps: a file changed just before it was read may change again without its
// times showing it, so such a file is parsed again until its last change lies well back.
bool SettledBefore(const struct stat& st, const timespec& now) { return now.tv_sec - st.st_mtim.tv_sec > 2; }

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// The parsed file at a Linux path; called with the profile lock held. The times are taken before reading,
// so a change made while reading shows at the next read.
const ProfileDocument& ParsedProfile(const std::string& linuxPath)
{
    static std::map<std::string, ParsedFile> files;
    static const ProfileDocument none;
    struct stat st;
    if (stat(linuxPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        files.erase(linuxPath);
        return none;
    }
    auto found = files.find(linuxPath);
    if (found != files.end() && found->second.settled && SameFile(found->second.st, st))
        return found->second.document;
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    ParsedFile& parsed = files[linuxPath];
    parsed.st = st;
    parsed.settled = SettledBefore(st, now);
    parsed.document = ProfileDocument();
    parsed.document.Load(linuxPath);
    return parsed.document;
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
    const ProfileDocument& doc = ParsedProfile(fileName ? MapPath(fileName) : std::string());
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
    int error = UpdateProfileFile(MapPathLiteral(fileName), !deletion, [&](ProfileDocument& doc) {
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
