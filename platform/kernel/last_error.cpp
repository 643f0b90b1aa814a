// Per-thread last-error code and its translation from errno.
#include "kernel/last_error.h"

#include <cerrno>

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
}

DWORD GetLastError() { return t_lastError; }

void SetLastError(DWORD code) { t_lastError = code; }

DWORD SetLastErrorFromErrno(int err)
{
    DWORD code;
    switch (err) {
    case 0: code = ERROR_SUCCESS; break;
    case ENOENT: code = ERROR_FILE_NOT_FOUND; break;
    case ENOTDIR: code = ERROR_PATH_NOT_FOUND; break;
    case EACCES:
    case EPERM:
    case EROFS: code = ERROR_ACCESS_DENIED; break;
    case EEXIST: code = ERROR_ALREADY_EXISTS; break;
    case ENOTEMPTY: code = ERROR_DIR_NOT_EMPTY; break;
    case EISDIR: code = ERROR_DIRECTORY; break;
    case ENOSPC: code = ERROR_DISK_FULL; break;
    case EMFILE:
    case ENFILE: code = ERROR_TOO_MANY_OPEN_FILES; break;
    case ENAMETOOLONG: code = ERROR_FILENAME_EXCED_RANGE; break;
    case EBADF: code = ERROR_INVALID_HANDLE; break;
    case ENOMEM: code = ERROR_NOT_ENOUGH_MEMORY; break;
    case EPIPE: code = ERROR_BROKEN_PIPE; break;
    case EINVAL: code = ERROR_INVALID_PARAMETER; break;
    case EBUSY: code = ERROR_SHARING_VIOLATION; break;
    case ETIMEDOUT: code = ERROR_TIMEOUT; break;
    default: code = ERROR_INVALID_FUNCTION; break;
    }
    t_lastError = code;
    return code;
}
