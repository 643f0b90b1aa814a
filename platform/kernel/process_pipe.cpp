// Anonymous pipes: each end is one side of a local stream socket pair, so a read end can be peeked.
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "kernel/process_api.h"
#include "kernel/process_handles.h"

namespace {

ProcessHandleObject* PipeEnd(HANDLE h) { return LookupProcessHandle(h, ProcessHandleObject::PIPE_END); }

HANDLE NewPipeEnd(int fd)
{
    auto* end = new ProcessHandleObject(ProcessHandleObject::PIPE_END);
    end->fd = fd;
    return RegisterProcessHandle(end);
}

}  // namespace

BOOL CreatePipe(HANDLE* hReadPipe, HANDLE* hWritePipe, LPSECURITY_ATTRIBUTES, DWORD)
{
    if (!hReadPipe || !hWritePipe)
        return FALSE;
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
        return FALSE;
    // One direction only, as with a pipe.
    shutdown(fds[0], SHUT_WR);
    shutdown(fds[1], SHUT_RD);
    *hReadPipe = NewPipeEnd(fds[0]);
    *hWritePipe = NewPipeEnd(fds[1]);
    return TRUE;
}

BOOL ReadPipe(HANDLE hPipe, LPVOID lpBuffer, DWORD nBytesToRead, LPDWORD lpBytesRead)
{
    if (lpBytesRead)
        *lpBytesRead = 0;
    ProcessHandleObject* end = PipeEnd(hPipe);
    if (!end || !lpBuffer)
        return FALSE;
    if (nBytesToRead == 0)
        return TRUE;
    ssize_t got;
    do {
        got = recv(end->fd, lpBuffer, nBytesToRead, 0);
    } while (got < 0 && errno == EINTR);
    if (got <= 0)
        return FALSE;  // no writer left: the pipe is broken
    if (lpBytesRead)
        *lpBytesRead = static_cast<DWORD>(got);
    return TRUE;
}

BOOL WritePipe(HANDLE hPipe, LPCVOID lpBuffer, DWORD nBytesToWrite, LPDWORD lpBytesWritten)
{
    if (lpBytesWritten)
        *lpBytesWritten = 0;
    ProcessHandleObject* end = PipeEnd(hPipe);
    if (!end || (!lpBuffer && nBytesToWrite))
        return FALSE;
    const char* p = static_cast<const char*>(lpBuffer);
    DWORD done = 0;
    while (done < nBytesToWrite) {
        ssize_t put = send(end->fd, p + done, nBytesToWrite - done, MSG_NOSIGNAL);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            break;
        done += static_cast<DWORD>(put);
    }
    if (lpBytesWritten)
        *lpBytesWritten = done;
    return done == nBytesToWrite;
}

BOOL PeekNamedPipe(HANDLE hNamedPipe, LPVOID lpBuffer, DWORD nBufferSize, LPDWORD lpBytesRead,
                   LPDWORD lpTotalBytesAvail, LPDWORD lpBytesLeftThisMessage)
{
    ProcessHandleObject* end = PipeEnd(hNamedPipe);
    if (!end)
        return FALSE;
    int avail = 0;
    if (ioctl(end->fd, FIONREAD, &avail) != 0)
        return FALSE;
    DWORD peeked = 0;
    if (lpBuffer && nBufferSize && avail > 0) {
        ssize_t got = recv(end->fd, lpBuffer, nBufferSize, MSG_PEEK | MSG_DONTWAIT);
        if (got > 0)
            peeked = static_cast<DWORD>(got);
    }
    if (lpBytesRead)
        *lpBytesRead = peeked;
    if (lpTotalBytesAvail)
        *lpTotalBytesAvail = static_cast<DWORD>(avail);
    if (lpBytesLeftThisMessage)
        *lpBytesLeftThisMessage = 0;
    return TRUE;
}

int PipeEndDescriptor(HANDLE h)
{
    ProcessHandleObject* end = PipeEnd(h);
    return end ? end->fd : -1;
}
