// XDG folder resolution and the special-folder queries over it.
#include "kernel/user_folders.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

#include "kernel/path_map.h"

namespace {

std::string StripSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The value of a NAME="..." line of user-dirs.dirs, with $HOME expanded; empty when absent.
std::string UserDirsEntry(const std::string& name)
{
    std::ifstream in(GetConfigFolder() + "/user-dirs.dirs");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line.compare(0, name.size() + 1, name + "=") != 0)
            continue;
        std::string value = line.substr(name.size() + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0)
            value = GetHomeFolder() + value.substr(5);
        if (!value.empty() && value[0] == '/')
            return StripSlash(value);
    }
    return {};
}

std::string FolderFor(int csidl)
{
    switch (csidl & 0xFF) {
    case CSIDL_PERSONAL: return GetDocumentsFolderLinux();
    case CSIDL_MYMUSIC: {
        std::string music = UserDirsEntry("XDG_MUSIC_DIR");
        return music.empty() ? GetHomeFolder() + "/Music" : music;
    }
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY: {
        std::string desktop = UserDirsEntry("XDG_DESKTOP_DIR");
        return desktop.empty() ? GetHomeFolder() + "/Desktop" : desktop;
    }
    case CSIDL_APPDATA:
    case CSIDL_LOCAL_APPDATA: return GetConfigFolder();
    default: return {};
    }
}

}  // namespace

std::string GetHomeFolder()
{
    if (const char* home = getenv("HOME"); home && *home)
        return StripSlash(home);
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return StripSlash(pw->pw_dir);
    return "/tmp";
}

std::string GetConfigFolder()
{
    if (const char* config = getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return StripSlash(config);
    return GetHomeFolder() + "/.config";
}

std::string GetDocumentsFolderLinux()
{
    std::string folder;
    if (const char* documents = getenv("XDG_DOCUMENTS_DIR"); documents && *documents == '/')
        folder = StripSlash(documents);
    if (folder.empty())
        folder = UserDirsEntry("XDG_DOCUMENTS_DIR");
    if (folder.empty())
        folder = GetHomeFolder() + "/Documents";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

HRESULT SHGetFolderPath(HWND, int csidl, HANDLE, DWORD, LPSTR path)
{
    std::string folder = FolderFor(csidl);
    if (!path || folder.empty() || folder.size() >= MAX_PATH) {
        if (path)
            path[0] = '\0';
        return E_INVALIDARG;
    }
    if (csidl & CSIDL_FLAG_CREATE) {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }
    std::string windows = ToWindowsPath(folder);
    memcpy(path, windows.c_str(), windows.size() + 1);
    return S_OK;
}

BOOL SHGetSpecialFolderPath(HWND owner, LPSTR path, int csidl, BOOL create)
{
    return SHGetFolderPath(owner, csidl | (create ? CSIDL_FLAG_CREATE : 0), nullptr, SHGFP_TYPE_CURRENT, path) == S_OK;
}
