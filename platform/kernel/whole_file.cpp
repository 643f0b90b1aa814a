// Reading a whole file at a Linux path into memory.
#include "kernel/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ReadWholeFile(const std::string& linuxPath, std::string& text)
{
    FILE* f = fopen(linuxPath.c_str(), "rb");
    if (!f)
        return false;
    text.clear();
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    fclose(f);
    return true;
}

bool ReadRegularFile(const std::string& linuxPath, std::vector<uint8_t>& bytes)
{
    int fd = open(linuxPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    std::vector<uint8_t> read;
    try {
        if (ok)
            read.resize(static_cast<size_t>(st.st_size));
    } catch (...) {
        close(fd);
        throw;
    }
    size_t done = 0;
    while (ok && done < read.size()) {
        ssize_t n = ::read(fd, read.data() + done, read.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<size_t>(n);
    }
    close(fd);
    if (ok)
        bytes.swap(read);
    return ok;
}
