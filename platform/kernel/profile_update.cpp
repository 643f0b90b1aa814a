// Locked load, edit and save of an ini file.
#include "kernel/profile_update.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder someone else may write: others or the group may, or it is not the user's. A link there may have
// been planted by anyone.
bool InSharedFolder(const std::string& linuxPath)
{
    const size_t slash = linuxPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : linuxPath.substr(0, slash));
    struct stat st;
    return stat(folder.c_str(), &st) != 0 || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0 || st.st_uid != geteuid();
}

// The file a path names, through any links, so that the lock and the save reach the same file. In a shared
// folder the path itself: a link there is never followed.
std::string LinkTarget(const std::string& linuxPath, bool shared)
{
    std::string target = linuxPath;
    if (shared)
        return target;
    if (char* real = realpath(linuxPath.c_str(), nullptr)) {
        target = real;
        free(real);
    }
    return target;
}

bool IsLink(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            close(fd);
    }
};

}  // namespace

int UpdateProfileFile(const std::string& linuxPath, bool create, const std::function<void(ProfileDocument&)>& edit)
{
    const bool shared = InSharedFolder(linuxPath);
    const int noFollow = shared ? O_NOFOLLOW : 0;
    std::string target = LinkTarget(linuxPath, shared);
    for (;;) {
        Descriptor file;
        bool made = false;
        // A pipe in its place must not block.
        file.fd = open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | noFollow);
        if (file.fd < 0 && errno == ENOENT && create) {
            // The empty file gives the lock something to hold until the first text is renamed over it.
            file.fd = open(target.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            made = file.fd >= 0;
            if (!made && errno == EEXIST)
                continue;
        }
        if (file.fd < 0)
            return errno == ENOENT && !create ? 0 : errno;
        int error = 0;
        // A file system without locks still gets the write, as it did before locking.
        while (flock(file.fd, LOCK_EX) != 0 && errno != ENOLCK && errno != EOPNOTSUPP)
            if (errno != EINTR)
                return errno;
        // Another writer may have renamed its new file over the path while this one waited: lock that one.
        struct stat held, named;
        if (fstat(file.fd, &held) != 0)
            return errno;
        if ((shared ? lstat(target.c_str(), &named) : stat(target.c_str(), &named)) != 0 ||
            named.st_ino != held.st_ino || named.st_dev != held.st_dev)
            continue;
        // Read-only files are refused whoever runs the program, as no one may write them.
        if ((held.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)
            return EACCES;
        ProfileDocument document;
        if ((error = document.Read(file.fd)) != 0)
            return error;
        std::string before = document.Serialize();
        edit(document);
        if (document.Serialize() == before) {
            if (made)
                unlink(target.c_str());
            return 0;
        }
        errno = 0;
        if (shared && IsLink(target))
            return ELOOP;
        if (!document.Save(target)) {
            error = errno ? errno : EIO;
            if (made)
                unlink(target.c_str());
            return error;
        }
        return 0;
    }
}
