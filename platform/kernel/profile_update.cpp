// Locked load, edit and save of an ini file.
#include "kernel/profile_update.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file a path names, through any links, so that the lock and the save reach the same file.
std::string LinkTarget(const std::string& linuxPath)
{
    std::string target = linuxPath;
    if (char* real = realpath(linuxPath.c_str(), nullptr)) {
        target = real;
        free(real);
    }
    return target;
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
    std::string target = LinkTarget(linuxPath);
    for (;;) {
        Descriptor file;
        bool made = false;
        file.fd = open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);  // a pipe in its place must not block
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
        if (stat(target.c_str(), &named) != 0 || named.st_ino != held.st_ino || named.st_dev != held.st_dev)
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
        if (!document.Save(target)) {
            error = errno ? errno : EIO;
            if (made)
                unlink(target.c_str());
            return error;
        }
        return 0;
    }
}
