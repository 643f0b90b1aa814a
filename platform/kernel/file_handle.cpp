// File handles: CreateFile over open(2) and the read, write, seek and size functions.
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kernel/file_api.h"
#include "kernel/file_time.h"
#include "kernel/last_error.h"
#include "kernel/path_map.h"

// Pipe handles belong to the process functions; reached only when they are linked in.
BOOL ReadPipe(HANDLE hPipe, LPVOID lpBuffer, DWORD nBytesToRead, LPDWORD lpBytesRead) __attribute__((weak));
BOOL WritePipe(HANDLE hPipe, LPCVOID lpBuffer, DWORD nBytesToWrite, LPDWORD lpBytesWritten) __attribute__((weak));
bool IsProcessOrPipeHandle(HANDLE h) __attribute__((weak));

namespace {

class FileObject : public KernelObject {
public:
    explicit FileObject(int fd) : fd(fd) {}
    ~FileObject() override { close(fd); }
    int fd;
};

FileObject* Lookup(HANDLE file)
{
    auto* object = LookupKernelObjectAs<FileObject>(file);
    if (!object)
        SetLastError(ERROR_INVALID_HANDLE);
    return object;
}

bool IsPipe(HANDLE h) { return IsProcessOrPipeHandle && IsProcessOrPipeHandle(h); }

}  // namespace

HANDLE CreateFile(LPCSTR fileName, DWORD desiredAccess, DWORD, LPSECURITY_ATTRIBUTES, DWORD creationDisposition,
                  DWORD flagsAndAttributes, HANDLE)
{
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    int flags = O_CLOEXEC;
    bool reading = desiredAccess & GENERIC_READ, writing = desiredAccess & GENERIC_WRITE;
    flags |= reading && writing ? O_RDWR : (writing ? O_WRONLY : O_RDONLY);
    switch (creationDisposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
    }
    if (flagsAndAttributes & FILE_FLAG_WRITE_THROUGH)
        flags |= O_DSYNC;
    // Only an existing file opened for reading may be found under another case.
    std::string path = writing || creationDisposition != OPEN_EXISTING ? MapPathLiteral(fileName) : MapPath(fileName);
    struct stat st;
    bool existed = stat(path.c_str(), &st) == 0;
    if (existed && S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    mode_t mode = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    int fd = open(path.c_str(), flags, mode);
    if (fd < 0) {
        if (errno == EEXIST)
            SetLastError(ERROR_FILE_EXISTS);
        else
            SetLastErrorFromErrno(errno);
        return INVALID_HANDLE_VALUE;
    }
    // Windows reports an existing file to the creating dispositions through the last error.
    bool creating = creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS;
    SetLastError(creating && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return RegisterKernelObject(new FileObject(fd));
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED)
{
    if (IsPipe(file) && ReadPipe)
        return ReadPipe(file, buffer, bytesToRead, bytesRead);
    if (bytesRead)
        *bytesRead = 0;
    FileObject* f = Lookup(file);
    if (!f)
        return FALSE;
    DWORD done = 0;
    while (done < bytesToRead) {
        ssize_t n = read(f->fd, static_cast<char*>(buffer) + done, bytesToRead - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            SetLastErrorFromErrno(errno);
            return FALSE;
        }
        if (n == 0)
            break;
        done += static_cast<DWORD>(n);
    }
    if (bytesRead)
        *bytesRead = done;
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPOVERLAPPED)
{
    if (IsPipe(file) && WritePipe)
        return WritePipe(file, buffer, bytesToWrite, bytesWritten);
    if (bytesWritten)
        *bytesWritten = 0;
    FileObject* f = Lookup(file);
    if (!f)
        return FALSE;
    DWORD done = 0;
    while (done < bytesToWrite) {
        ssize_t n = write(f->fd, static_cast<const char*>(buffer) + done, bytesToWrite - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (bytesWritten)
                *bytesWritten = done;
            SetLastErrorFromErrno(n < 0 ? errno : ENOSPC);
            return FALSE;
        }
        done += static_cast<DWORD>(n);
    }
    if (bytesWritten)
        *bytesWritten = done;
    return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distanceToMove, LONG* distanceToMoveHigh, DWORD moveMethod)
{
    FileObject* f = Lookup(file);
    if (!f)
        return INVALID_SET_FILE_POINTER;
    off_t distance = distanceToMoveHigh
                         ? static_cast<off_t>((static_cast<ULONGLONG>(static_cast<DWORD>(*distanceToMoveHigh)) << 32) |
                                              static_cast<DWORD>(distanceToMove))
                         : static_cast<off_t>(distanceToMove);
    int whence = moveMethod == FILE_CURRENT ? SEEK_CUR : (moveMethod == FILE_END ? SEEK_END : SEEK_SET);
    off_t pos = lseek(f->fd, distance, whence);
    if (pos < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceToMoveHigh)
        *distanceToMoveHigh = static_cast<LONG>(static_cast<ULONGLONG>(pos) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(pos);
}

DWORD GetFileSize(HANDLE file, LPDWORD fileSizeHigh)
{
    FileObject* f = Lookup(file);
    struct stat st;
    if (!f || fstat(f->fd, &st) != 0)
        return INVALID_FILE_SIZE;
    if (fileSizeHigh)
        *fileSizeHigh = static_cast<DWORD>(static_cast<ULONGLONG>(st.st_size) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(st.st_size);
}

BOOL SetEndOfFile(HANDLE file)
{
    FileObject* f = Lookup(file);
    if (!f)
        return FALSE;
    off_t pos = lseek(f->fd, 0, SEEK_CUR);
    if (pos < 0 || ftruncate(f->fd, pos) != 0) {
        SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE file)
{
    FileObject* f = Lookup(file);
    return f && fsync(f->fd) == 0;
}

BOOL GetFileTime(HANDLE file, FILETIME* creationTime, FILETIME* lastAccessTime, FILETIME* lastWriteTime)
{
    FileObject* f = Lookup(file);
    struct stat st;
    if (!f || fstat(f->fd, &st) != 0)
        return FALSE;
    if (creationTime)
        *creationTime = FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    if (lastAccessTime)
        *lastAccessTime = FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
    if (lastWriteTime)
        *lastWriteTime = FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    return TRUE;
}

int GetFileDescriptor(HANDLE file)
{
    auto* f = LookupKernelObjectAs<FileObject>(file);
    return f ? f->fd : -1;
}
