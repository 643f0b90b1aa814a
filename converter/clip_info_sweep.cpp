// Clip-info files of media that are gone: found by the media path they record, removed only while no other
// running program uses the folder.
#include "converter/clip_info_sweep.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "converter/clip_info_file.h"
#include "kernel/path_map.h"
#include "kernel/profile_document.h"
#include "services/private_temp.h"

namespace {

const std::string kExtension = ".mervaneclipinfo";

// The media path a clip-info file records; empty when it records none or it is not a plain file.
std::string RecordedMediaPath(const std::string& clipInfo)
{
    const int fd = open(clipInfo.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::string();
    struct stat st;
    ProfileDocument document;
    const bool read = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && document.Read(fd) == 0;
    close(fd);
    if (!read)
        return std::string();
    return document.GetValue("mervane", kClipMediaKey).value_or(std::string());
}

bool IsMissing(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) != 0 && errno == ENOENT;
}

bool IsFolder(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Whether the clip-info file of this name records a media file that is surely gone.
bool MediaIsGone(const std::string& name, const std::string& media)
{
    const size_t slash = media.rfind('/');
    if (media.empty() || media[0] != '/' || slash == std::string::npos ||
        media.compare(slash + 1, std::string::npos, name, 0, name.size() - kExtension.size()) != 0)
        return false;
    return IsMissing(media) && IsFolder(slash == 0 ? "/" : media.substr(0, slash));
}

}  // namespace

void RemoveClipInfoOfGoneMedia(const CString& folder)
{
    const std::string linuxFolder = MapPathLiteral(folder.GetString());
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(linuxFolder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= kExtension.size() ||
            name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) != 0)
            continue;
        if (MediaIsGone(name, RecordedMediaPath(entry.path().string())))
            unlink(entry.path().c_str());
    }
}

void RemoveStaleClipInfoFiles() { UseClipInfoFolder(RemoveClipInfoOfGoneMedia); }
