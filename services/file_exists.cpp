// Existence tests through a file search.
#include "services/file_exists.h"

#include "kernel/file_api.h"

BOOL PathExists(const char* path)
{
    WIN32_FIND_DATA findData;
    HANDLE search = FindFirstFile(path, &findData);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(search);
    return TRUE;
}

BOOL FileExists(const CString& path) { return PathExists(path); }
