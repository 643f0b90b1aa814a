// Multimedia I/O files: open, close, read, write and seek over a descriptor or a memory block.
#include "media/mmio_file.h"

#include "kernel/path_map.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace {

LONG FileSize(const MmioFile* f)
{
    if (f->memory)
        return f->memorySize;
    struct stat st;
    return fstat(f->fd, &st) == 0 ? static_cast<LONG>(st.st_size) : 0;
}

}  // namespace

HMMIO mmioOpen(LPSTR pszFileName, LPMMIOINFO info, DWORD fdwOpen)
{
    auto* f = new MmioFile;
    f->writable = (fdwOpen & (MMIO_WRITE | MMIO_READWRITE | MMIO_CREATE)) != 0;
    if (info)
        info->wErrorRet = 0;
    if (info && info->fccIOProc == FOURCC_MEM) {
        if (!info->pchBuffer || info->cchBuffer < 0) {
            info->wErrorRet = MMIOERR_CANNOTOPEN;
            delete f;
            return nullptr;
        }
        f->memory = info->pchBuffer;
        f->memorySize = info->cchBuffer;
    } else if (!pszFileName && info) {
        f->fd = static_cast<int>(info->adwInfo[0]);
        f->position = static_cast<LONG>(lseek(f->fd, 0, SEEK_CUR));
        if (f->position < 0)
            f->position = 0;
    } else if (pszFileName) {
        int access = (fdwOpen & MMIO_READWRITE) ? O_RDWR : (fdwOpen & MMIO_WRITE) ? O_WRONLY : O_RDONLY;
        int flags = O_CLOEXEC | access;
        if (fdwOpen & MMIO_CREATE)
            flags = O_CLOEXEC | O_CREAT | O_TRUNC | (access == O_RDONLY ? O_RDWR : access);
        const bool writing = access != O_RDONLY || (fdwOpen & MMIO_CREATE);
        f->fd = open((writing ? MapPathLiteral(pszFileName) : MapPath(pszFileName)).c_str(), flags, 0644);
        f->ownsFd = true;
        if (f->fd < 0) {
            if (info)
                info->wErrorRet = errno == ENOENT ? MMIOERR_FILENOTFOUND : MMIOERR_CANNOTOPEN;
            delete f;
            return nullptr;
        }
    } else {
        delete f;
        return nullptr;
    }
    HMMIO h = reinterpret_cast<HMMIO>(f);
    if (info)
        info->hmmio = h;
    return h;
}

MMRESULT mmioClose(HMMIO hmmio, UINT)
{
    MmioFile* f = MmioFromHandle(hmmio);
    if (!f)
        return MMIOERR_CANNOTCLOSE;
    MMRESULT result = MMSYSERR_NOERROR;
    if (f->ownsFd && close(f->fd) != 0)
        result = MMIOERR_CANNOTCLOSE;
    delete f;
    return result;
}

LONG mmioRead(HMMIO hmmio, HPSTR pch, LONG cch)
{
    MmioFile* f = MmioFromHandle(hmmio);
    if (!f || !pch || cch < 0)
        return -1;
    if (f->memory) {
        LONG n = f->position >= f->memorySize ? 0 : std::min(cch, f->memorySize - f->position);
        std::memcpy(pch, f->memory + f->position, static_cast<size_t>(n));
        f->position += n;
        return n;
    }
    LONG done = 0;
    while (done < cch) {
        ssize_t got = pread(f->fd, pch + done, static_cast<size_t>(cch - done), f->position + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<LONG>(got);
    }
    f->position += done;
    return done;
}

LONG mmioWrite(HMMIO hmmio, const char* pch, LONG cch)
{
    MmioFile* f = MmioFromHandle(hmmio);
    if (!f || !f->writable || (!pch && cch) || cch < 0)
        return -1;
    if (f->memory) {
        if (f->position + cch > f->memorySize)
            return -1;  // a memory file does not grow
        std::memcpy(f->memory + f->position, pch, static_cast<size_t>(cch));
        f->position += cch;
        return cch;
    }
    LONG done = 0;
    while (done < cch) {
        ssize_t put = pwrite(f->fd, pch + done, static_cast<size_t>(cch - done), f->position + done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return -1;
        done += static_cast<LONG>(put);
    }
    f->position += done;
    return done;
}

LONG mmioSeek(HMMIO hmmio, LONG lOffset, int iOrigin)
{
    MmioFile* f = MmioFromHandle(hmmio);
    if (!f)
        return -1;
    long long base = iOrigin == SEEK_SET ? 0 : iOrigin == SEEK_CUR ? f->position : FileSize(f);
    long long target = base + lOffset;
    if (target < 0 || target > 0x7FFFFFFF)
        return -1;
    f->position = static_cast<LONG>(target);
    return f->position;
}
