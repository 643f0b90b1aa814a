// Run-time libraries (none exists here) and the system version.
#include "ui/libraries.h"

#include "kernel/last_error.h"

HMODULE LoadLibrary(LPCSTR)
{
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR)
{
    SetLastError(module ? ERROR_PROC_NOT_FOUND : ERROR_INVALID_HANDLE);
    return nullptr;
}

BOOL FreeLibrary(HMODULE module)
{
    if (!module) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD GetVersion()
{
    const DWORD major = 5, minor = 1, build = 2600;
    return major | (minor << 8) | (build << 16);
}
