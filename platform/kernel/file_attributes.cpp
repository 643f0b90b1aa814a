// Windows attributes, sizes and times of a Linux file.
#include "kernel/file_attributes.h"

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kernel/file_time.h"

bool FillFindData(const std::string& linuxPath, const std::string& name, WIN32_FIND_DATA* data)
{
    struct statx sx;
    if (statx(AT_FDCWD, linuxPath.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0 &&
        statx(AT_FDCWD, linuxPath.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0)
        return false;
    memset(data, 0, sizeof *data);
    DWORD attributes = 0;
    if (S_ISDIR(sx.stx_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    else
        attributes |= FILE_ATTRIBUTE_ARCHIVE;
    if (!name.empty() && name[0] == '.' && name != "." && name != "..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (access(linuxPath.c_str(), W_OK) != 0 && !(sx.stx_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    data->dwFileAttributes = attributes;
    ULONGLONG size = S_ISDIR(sx.stx_mode) ? 0 : sx.stx_size;
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(size);
    data->ftLastWriteTime = FileTimeFromUnix(sx.stx_mtime.tv_sec, sx.stx_mtime.tv_nsec);
    data->ftLastAccessTime = FileTimeFromUnix(sx.stx_atime.tv_sec, sx.stx_atime.tv_nsec);
    data->ftCreationTime = (sx.stx_mask & STATX_BTIME) ? FileTimeFromUnix(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec)
                                                       : data->ftLastWriteTime;
    return true;
}
