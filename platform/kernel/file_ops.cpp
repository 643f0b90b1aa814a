// Attributes, folder creation and removal, delete, copy and move of files by Windows-style path.
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kernel/file_api.h"
#include "kernel/file_attributes.h"
#include "kernel/last_error.h"
#include "kernel/path_map.h"

namespace {

BOOL Fail()
{
    SetLastErrorFromErrno(errno);
    return FALSE;
}

// Copies the bytes, mode and times of one regular file onto another path (created or truncated).
bool CopyContents(const std::string& from, const std::string& to, bool failIfExists)
{
    int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat st;
    if (fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
        int err = S_ISDIR(st.st_mode) ? EACCES : errno;
        close(in);
        errno = err;
        return false;
    }
    int out =
        open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (failIfExists ? O_EXCL : 0), st.st_mode & 07777);
    if (out < 0) {
        int err = errno;
        close(in);
        errno = err;
        return false;
    }
    char buffer[65536];
    bool ok = true;
    ssize_t n;
    while (ok && (n = read(in, buffer, sizeof buffer)) != 0) {
        if (n < 0) {
            ok = errno == EINTR;
            continue;
        }
        for (ssize_t done = 0; ok && done < n;) {
            ssize_t w = write(out, buffer + done, static_cast<size_t>(n - done));
            ok = w > 0;
            done += w > 0 ? w : 0;
        }
    }
    int err = errno;
    if (ok) {
        fchmod(out, st.st_mode & 07777);
        timespec times[2] = {st.st_atim, st.st_mtim};
        futimens(out, times);
    }
    ok = close(out) == 0 && ok;
    close(in);
    if (!ok) {
        unlink(to.c_str());
        errno = err ? err : EIO;
    }
    return ok;
}

}  // namespace

DWORD GetFileAttributes(LPCSTR fileName)
{
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    std::string path = MapPath(fileName);
    std::string name = path.substr(path.find_last_of('/') + 1);
    WIN32_FIND_DATA data;
    if (!FillFindData(path, name, &data)) {
        SetLastErrorFromErrno(errno);
        return INVALID_FILE_ATTRIBUTES;
    }
    return data.dwFileAttributes;
}

BOOL SetFileAttributes(LPCSTR fileName, DWORD attributes)
{
    std::string path = MapPathLiteral(fileName ? fileName : "");
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return Fail();
    mode_t mode = st.st_mode & 07777;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    return chmod(path.c_str(), mode) == 0 ? TRUE : Fail();
}

BOOL CreateDirectory(LPCSTR pathName, LPSECURITY_ATTRIBUTES)
{
    if (!pathName)
        return FALSE;
    if (mkdir(MapPathLiteral(pathName).c_str(), 0777) == 0)
        return TRUE;
    if (errno == ENOENT) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    return Fail();
}

BOOL RemoveDirectory(LPCSTR pathName)
{
    if (!pathName)
        return FALSE;
    return rmdir(MapPathLiteral(pathName).c_str()) == 0 ? TRUE : Fail();
}

BOOL DeleteFile(LPCSTR fileName)
{
    if (!fileName)
        return FALSE;
    std::string path = MapPathLiteral(fileName);
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return unlink(path.c_str()) == 0 ? TRUE : Fail();
}

BOOL CopyFile(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists)
{
    if (!existingFileName || !newFileName)
        return FALSE;
    std::string from = MapPath(existingFileName);
    std::string to = MapPathLiteral(newFileName);
    if (from == to) {
        SetLastError(failIfExists ? ERROR_FILE_EXISTS : ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    if (!CopyContents(from, to, failIfExists)) {
        if (errno == EEXIST) {
            SetLastError(ERROR_FILE_EXISTS);
            return FALSE;
        }
        return Fail();
    }
    return TRUE;
}

BOOL MoveFileEx(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags)
{
    if (!existingFileName || !newFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string from = MapPathLiteral(existingFileName);
    std::string to = MapPathLiteral(newFileName);
    bool replace = flags & MOVEFILE_REPLACE_EXISTING;
    int rc = replace ? rename(from.c_str(), to.c_str())
                     : renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
    if (rc != 0 && errno == EINVAL && !replace) {
        // File systems without the no-replace rename: test first, then rename.
        struct stat st;
        if (lstat(to.c_str(), &st) == 0) {
            SetLastError(ERROR_ALREADY_EXISTS);
            return FALSE;
        }
        rc = rename(from.c_str(), to.c_str());
    }
    if (rc == 0) {
        if (flags & MOVEFILE_WRITE_THROUGH)
            sync();
        return TRUE;
    }
    if (errno == EEXIST) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
    }
    if (errno != EXDEV || !(flags & MOVEFILE_COPY_ALLOWED))
        return Fail();
    // Another file system: copy beside the target, rename it into place, then delete the source.
    std::string temp = to + ".move-tmp";
    if (!CopyContents(from, temp, true))
        return Fail();
    if (replace ? rename(temp.c_str(), to.c_str()) != 0 : link(temp.c_str(), to.c_str()) != 0) {
        int err = errno;
        unlink(temp.c_str());
        if (err == EEXIST) {
            SetLastError(ERROR_ALREADY_EXISTS);
            return FALSE;
        }
        errno = err;
        return Fail();
    }
    if (!replace)
        unlink(temp.c_str());
    unlink(from.c_str());
    return TRUE;
}

BOOL MoveFile(LPCSTR existingFileName, LPCSTR newFileName)
{
    return MoveFileEx(existingFileName, newFileName, MOVEFILE_COPY_ALLOWED);
}
