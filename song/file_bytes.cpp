// Whole-file reads and safe replacement of the song files.
#include "song/file_bytes.h"

#include "kernel/file_api.h"
#include "kernel/path_map.h"

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
    return ReplaceFileContents(MapPathLiteral(path), bytes.data(), bytes.size());
}
