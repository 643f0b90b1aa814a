// Run-time libraries and the system version: LoadLibrary, GetProcAddress, FreeLibrary and GetVersion.
#pragma once

#include "kernel/windef.h"

typedef INT_PTR (*FARPROC)();

#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_PROC_NOT_FOUND 127L

// No Windows library exists on this system: every load fails with ERROR_MOD_NOT_FOUND, so callers take the
// branch they take on a Windows machine without that library. Libraries registered inside the program
// (ui/library_registry.h) load, and their exports are found by name.
HMODULE LoadLibrary(LPCSTR fileName);
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
BOOL FreeLibrary(HMODULE module);

// The version of the Windows the programs were written for: major in the low byte, minor in the next, the
// build number in the high word (top bit clear: the NT family).
DWORD GetVersion();
