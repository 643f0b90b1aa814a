// Windows-style path to Linux path mapping with the case-insensitive component fallback.
#include "kernel/path_map.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// Name of the entry of folder that equals name ignoring ASCII case; the smallest such name when
// several differ only in case, so the choice does not depend on directory order. Empty when none.
std::string FindNoCase(const std::string& folder, const std::string& name)
{
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return {};
    std::string best;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0 && (best.empty() || best > entry->d_name))
            best = entry->d_name;
    }
    closedir(dir);
    return best;
}

}  // namespace

std::string MapPath(const char* windowsPath)
{
    if (!windowsPath)
        return {};
    std::string path(windowsPath);
    if (path.size() >= 2 && path[1] == ':' && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z'))
        path.erase(0, 2);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    if (path.empty() || Exists(path))
        return path;

    // Walk the components; look up each missing one ignoring case.
    std::string result;
    size_t pos = 0;
    if (path[0] == '/') {
        result = "/";
        pos = 1;
    }
    bool parentExists = true;
    while (pos <= path.size()) {
        size_t slash = path.find('/', pos);
        if (slash == std::string::npos)
            slash = path.size();
        std::string part = path.substr(pos, slash - pos);
        if (!part.empty()) {
            std::string candidate = result + part;
            if (parentExists && part != "." && part != ".." && !Exists(candidate)) {
                std::string found = FindNoCase(result, part);
                if (!found.empty())
                    candidate = result + found;
                else
                    parentExists = false;
            }
            result = candidate;
        }
        if (slash < path.size() && (result.empty() || result.back() != '/'))
            result += '/';
        pos = slash + 1;
    }
    return result;
}

std::string ToWindowsPath(const std::string& linuxPath)
{
    std::string path(linuxPath);
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}
