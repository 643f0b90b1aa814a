// Safe whole-file replacement: a temporary file beside the real file, renamed over it.
#include "kernel/file_replace.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file a path names once every symbolic link on its last component is followed; a link to
// a file that does not exist yet gives the path the file is to be created at.
std::string FollowLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        char target[PATH_MAX];
        ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
        if (length <= 0)
            return path;
        std::string next(target, static_cast<size_t>(length));
        size_t slash = path.find_last_of('/');
        if (next[0] != '/' && slash != std::string::npos)
            next = path.substr(0, slash + 1) + next;
        path = next;
    }
    return path;
}

bool WriteAll(int fd, const void* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        ssize_t n = write(fd, static_cast<const char*>(data) + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

FileWriteResult ReplaceFileContents(const std::string& linuxPath, const void* data, size_t size, int newFileMode)
{
    std::string target = FollowLinks(linuxPath);
    struct stat old;
    bool exists = stat(target.c_str(), &old) == 0;
    // Read-only is a file nobody may write, whoever runs the program.
    if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return FILE_WRITE_READONLY;
    if (exists && access(target.c_str(), W_OK) != 0)
        return FILE_WRITE_FAILED;

    // A short name, so that a file whose own name is near the length limit saves too.
    static std::atomic<int> counter{0};
    size_t slash = target.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string temporary = folder + ".kt" + std::to_string(getpid()) + "-" + std::to_string(++counter) + ".tmp";
    // Where no temporary file can be made the save fails: the old file is never rewritten where it stands.
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return FILE_WRITE_FAILED;
    // The new file takes the old one's place with its mode, owner and group; an owner this process cannot
    // give away leaves the file to whoever saved it.
    bool ok = exists ? fchmod(fd, old.st_mode & 07777) == 0 : newFileMode < 0 || fchmod(fd, newFileMode) == 0;
    if (ok && exists && fchown(fd, old.st_uid, old.st_gid) != 0 && fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0)
        ok = fchmod(fd, old.st_mode & 0777) == 0;
    ok = ok && WriteAll(fd, data, size) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
        return FILE_WRITE_FAILED;
    }
    return FILE_WRITE_OK;
}
