// FindFirstFile / FindNextFile / FindClose over a sorted snapshot of the folder.
#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <string>
#include <strings.h>
#include <vector>

#include "kernel/file_api.h"
#include "kernel/file_attributes.h"
#include "kernel/last_error.h"
#include "kernel/path_map.h"
#include "kernel/wildcard.h"

namespace {

class FindSearch : public KernelObject {
public:
    std::vector<WIN32_FIND_DATA> entries;
    size_t next = 0;
};

bool NameBefore(const std::string& a, const std::string& b)
{
    auto rank = [](const std::string& n) { return n == "." ? 0 : (n == ".." ? 1 : 2); };
    if (rank(a) != rank(b))
        return rank(a) < rank(b);
    int c = strcasecmp(a.c_str(), b.c_str());
    return c != 0 ? c < 0 : a < b;
}

}  // namespace

HANDLE FindFirstFile(LPCSTR fileName, LPWIN32_FIND_DATA findData)
{
    if (!fileName || !findData || !*fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string path(fileName);
    size_t cut = path.find_last_of("\\/");
    std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    std::string pattern = cut == std::string::npos ? path : path.substr(cut + 1);
    if (pattern.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::string linuxFolder = folder.empty() ? std::string() : MapPath(folder);
    if (!linuxFolder.empty() && linuxFolder.back() != '/')
        linuxFolder += '/';

    std::vector<std::string> names;
    if (DIR* dir = opendir(linuxFolder.empty() ? "." : linuxFolder.c_str())) {
        while (dirent* entry = readdir(dir))
            if (MatchWildcard(pattern.c_str(), ToWindowsPath(entry->d_name).c_str()))
                names.emplace_back(entry->d_name);
        closedir(dir);
    } else {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::sort(names.begin(), names.end(), NameBefore);

    auto* search = new FindSearch;
    for (const std::string& name : names) {
        WIN32_FIND_DATA data;
        // The program sees the name in its Windows form, a backslash of the name kept apart from separators.
        const std::string windowsName = ToWindowsPath(name);
        if (windowsName.size() >= MAX_PATH || !FillFindData(linuxFolder + name, windowsName, &data))
            continue;
        memcpy(data.cFileName, windowsName.c_str(), windowsName.size() + 1);
        search->entries.push_back(data);
    }
    if (search->entries.empty()) {
        delete search;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *findData = search->entries[search->next++];
    return RegisterKernelObject(search);
}

BOOL FindNextFile(HANDLE findFile, LPWIN32_FIND_DATA findData)
{
    auto* search = LookupKernelObjectAs<FindSearch>(findFile);
    if (!search || !findData) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (search->next >= search->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *findData = search->entries[search->next++];
    return TRUE;
}

BOOL FindClose(HANDLE findFile)
{
    if (!LookupKernelObjectAs<FindSearch>(findFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return CloseHandle(findFile);
}
