// Windows-style path to Linux path mapping: literal for writing, with the case fallback for reading.
#include "kernel/path_map.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace {

// U+F05C and U+F03A in UTF-8: a Linux name's own backslash and a drive-like ':' in the Windows form.
const char kBackslashStandIn[] = "\xEF\x81\x9C";
const char kColonStandIn[] = "\xEF\x80\xBA";

bool IsDriveLetter(char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

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

std::string MapPathLiteral(const char* windowsPath)
{
    if (!windowsPath)
        return {};
    std::string path(windowsPath);
    if (path.size() >= 2 && path[1] == ':' && IsDriveLetter(path[0]))
        path.erase(0, 2);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    ReplaceAll(path, kBackslashStandIn, "\\");
    ReplaceAll(path, kColonStandIn, ":");
    return path;
}

std::string DisplayPath(const char* windowsPath) { return MapPathLiteral(windowsPath); }

std::string DisplayPathsInText(const char* text)
{
    std::string shown(text ? text : "");
    for (char& c : shown)
        if (c == '\\')
            c = '/';
    ReplaceAll(shown, kBackslashStandIn, "\\");
    ReplaceAll(shown, kColonStandIn, ":");
    return shown;
}

std::string MapPath(const char* windowsPath)
{
    std::string path = MapPathLiteral(windowsPath);
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
    // Each name is kept the same wherever it stands, so a name that starts like a drive has its ':' kept apart
    // in every place, not only at the start of a path.
    std::string path;
    path.reserve(linuxPath.size());
    for (size_t i = 0; i < linuxPath.size(); ++i) {
        const char c = linuxPath[i];
        const bool nameStart = i == 0 || linuxPath[i - 1] == '/';
        if (c == '\\')
            path += kBackslashStandIn;
        else if (c == '/')
            path += '\\';
        else if (nameStart && IsDriveLetter(c) && i + 1 < linuxPath.size() && linuxPath[i + 1] == ':') {
            path += c;
            path += kColonStandIn;
            ++i;
        } else
            path += c;
    }
    return path;
}
