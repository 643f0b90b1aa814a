// Whole-file reads and replacement through a temporary file in the same folder.
#include "song/file_bytes.h"

#include "kernel/cstring.h"
#include "kernel/file_api.h"
#include "kernel/kernel_object.h"
#include "kernel/synchronization.h"

bool LoadFileBytes(const char* path, std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFile(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    bool ok = size != (DWORD)-1;
    if (ok) {
        bytes.assign(size, 0);
        DWORD read = 0;
        ok = size == 0 || (ReadFile(file, bytes.data(), size, &read, nullptr) && read == size);
    }
    CloseHandle(file);
    return ok;
}

FileWriteResult WriteFileReplacing(const char* path, const std::vector<uint8_t>& bytes)
{
    DWORD attributes = GetFileAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return FILE_WRITE_READONLY;

    CString temporary;
    temporary.Format("%s.%lu.tmp", path, static_cast<unsigned long>(GetCurrentProcessId()));
    HANDLE file = CreateFile(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FILE_WRITE_FAILED;
    DWORD written = 0;
    bool ok = bytes.empty() ||
              (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size());
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    if (ok)
        ok = MoveFileEx(temporary, path, MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!ok) {
        DeleteFile(temporary);
        return FILE_WRITE_FAILED;
    }
    return FILE_WRITE_OK;
}
