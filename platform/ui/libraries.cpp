// Run-time libraries (only those registered inside the program exist here) and the system version.
#include "ui/libraries.h"

#include "kernel/last_error.h"
#include "ui/library_registry.h"

HMODULE LoadLibrary(LPCSTR fileName)
{
    if (HMODULE module = FindInProcessLibrary(fileName))
        return module;
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName)
{
    if (FARPROC proc = FindInProcessExport(module, procName))
        return proc;
    SetLastError(IsInProcessLibrary(module) ? ERROR_PROC_NOT_FOUND : ERROR_INVALID_HANDLE);
    return nullptr;
}

BOOL FreeLibrary(HMODULE module)
{
    if (!IsInProcessLibrary(module)) {
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
