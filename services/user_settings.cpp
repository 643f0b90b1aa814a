// Settings files of the program folder redirected to the user's copies, seeded from the shipped files.
#include "services/user_settings.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "kernel/file_api.h"
#include "kernel/path_map.h"
#include "kernel/user_folders.h"
#include "kernel/whole_file.h"
#include "services/app_folder.h"

namespace {

// The name of a settings file of the program folder in path, or empty when path names another file.
CString ProgramSettingsName(const CString& path)
{
    const CString folder = GetAppFolder();
    if (folder.IsEmpty() || path.GetLength() <= folder.GetLength() || path.Left(folder.GetLength()) != folder)
        return CString();
    CString name = path.Mid(folder.GetLength());
    if (name.Find('\\') >= 0 || name.GetLength() < 5 || name.Right(4).CompareNoCase(".ini") != 0)
        return CString();
    return name;
}

bool MakeFolder(const std::string& linuxFolder, mode_t mode)
{
    return mkdir(linuxFolder.c_str(), mode) == 0 || errno == EEXIST;
}

// Writes the user's copy whole under a name of its own, then links it into place, so that no other instance
// ever reads half a copy and a copy another instance made first is kept. A missing shipped file gives none.
bool SeedCopy(const std::string& shipped, const std::string& copy)
{
    std::string text;
    if (!ReadWholeFile(shipped, text))
        return errno == ENOENT;
    const std::string part = copy + "." + std::to_string(getpid()) + ".part";
    int fd = open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ok = close(fd) == 0 && ok;
    ok = ok && (link(part.c_str(), copy.c_str()) == 0 || errno == EEXIST);
    unlink(part.c_str());
    return ok;
}

}  // namespace

CString GetUserSettingsFolder() { return CString(ToWindowsPath(GetConfigFolder() + "/kestrin/").c_str()); }

CString SettingsFileToRead(const CString& path)
{
    const CString name = ProgramSettingsName(path);
    if (name.IsEmpty())
        return path;
    const CString copy = GetUserSettingsFolder() + name;
    return GetFileAttributes(copy) != INVALID_FILE_ATTRIBUTES ? copy : path;
}

CString SettingsFileToWrite(const CString& path)
{
    const CString name = ProgramSettingsName(path);
    if (name.IsEmpty())
        return path;
    const CString copy = GetUserSettingsFolder() + name;
    if (GetFileAttributes(copy) != INVALID_FILE_ATTRIBUTES)
        return copy;
    if (!MakeFolder(GetConfigFolder(), 0700) || !MakeFolder(GetConfigFolder() + "/kestrin", 0700))
        return CString();
    return SeedCopy(MapPath(path), MapPathLiteral(copy)) ? copy : CString();
}
