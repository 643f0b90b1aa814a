// File helpers of the ffmpeg runner's log: create empty, remove, append.
#include "audio/ffmpeg_process.h"
#include "kernel/file_api.h"

void CreateEmptyFile(const CString& strPath)
{
    HANDLE file =
        CreateFile(strPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

void RemoveFile(const CString& strPath) { DeleteFile(strPath); }

void AppendToFile(const void* pData, int nLength, const CString& strPath)
{
    HANDLE file =
        CreateFile(strPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file, pData, static_cast<DWORD>(nLength), &written, nullptr);
    CloseHandle(file);
}
