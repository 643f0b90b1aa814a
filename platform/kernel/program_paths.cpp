// Module file name, current and temporary folders, temporary file names.
#include "kernel/program_paths.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "kernel/file_time.h"
#include "kernel/last_error.h"
#include "kernel/path_map.h"

namespace {

std::string ExecutablePath()
{
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

// Copies a text the way the folder queries do: its length, or the size needed when it does not fit.
DWORD CopyOrNeed(const std::string& text, DWORD bufferLength, LPSTR buffer)
{
    if (!buffer || text.size() + 1 > bufferLength)
        return static_cast<DWORD>(text.size() + 1);
    memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

}  // namespace

DWORD GetModuleFileName(HMODULE, LPSTR fileName, DWORD size)
{
    std::string path = ToWindowsPath(ExecutablePath());
    if (!fileName || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() + 1 > size) {
        memcpy(fileName, path.c_str(), size - 1);
        fileName[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    memcpy(fileName, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

std::string GetProgramFolder()
{
    std::string path = ToWindowsPath(ExecutablePath());
    return path.substr(0, path.rfind('\\') + 1);
}

DWORD GetCurrentDirectory(DWORD bufferLength, LPSTR buffer)
{
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) {
        SetLastErrorFromErrno(errno);
        return 0;
    }
    return CopyOrNeed(ToWindowsPath(cwd), bufferLength, buffer);
}

BOOL SetCurrentDirectory(LPCSTR pathName)
{
    if (pathName && chdir(MapPath(pathName).c_str()) == 0)
        return TRUE;
    SetLastErrorFromErrno(errno);
    return FALSE;
}

DWORD GetTempPath(DWORD bufferLength, LPSTR buffer)
{
    const char* dir = getenv("TMPDIR");
    std::string path = ToWindowsPath(dir && *dir ? dir : "/tmp");
    if (path.back() != '\\')
        path += '\\';
    return CopyOrNeed(path, bufferLength, buffer);
}

UINT GetTempFileName(LPCSTR pathName, LPCSTR prefixString, UINT unique, LPSTR tempFileName)
{
    if (!pathName || !tempFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string folder(pathName);
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    std::string prefix = prefixString ? std::string(prefixString).substr(0, 3) : std::string();
    auto nameFor = [&](UINT n) {
        char hex[16];
        snprintf(hex, sizeof hex, "%X", n & 0xFFFF);
        return folder + prefix + hex + ".tmp";
    };
    auto store = [&](const std::string& name) {
        if (name.size() >= MAX_PATH) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
        memcpy(tempFileName, name.c_str(), name.size() + 1);
        return true;
    };
    if (unique != 0)
        return store(nameFor(unique)) ? unique : 0;
    UINT start = (GetTickCount() ^ static_cast<UINT>(getpid())) & 0xFFFF;
    for (UINT i = 0; i < 0x10000; ++i) {
        UINT n = ((start + i) & 0xFFFF) ? (start + i) & 0xFFFF : 1;
        std::string name = nameFor(n);
        int fd = open(MapPathLiteral(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            return store(name) ? n : 0;
        }
        if (errno != EEXIST) {
            SetLastErrorFromErrno(errno);
            return 0;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return 0;
}
