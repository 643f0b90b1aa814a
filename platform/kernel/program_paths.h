// The program's own file, the current folder and the temporary folder, as Windows-style paths.
#pragma once

#include <string>

#include "kernel/windef.h"

// Windows-style path of the running executable (its Linux path with '\' separators). Returns the
// length copied; a buffer that is too small gets the path cut to size - 1 and the result is size.
DWORD GetModuleFileName(HMODULE module, LPSTR fileName, DWORD size);
// Windows-style current folder without a trailing backslash. Returns its length, or the size
// needed (NUL included) when the buffer is too small.
DWORD GetCurrentDirectory(DWORD bufferLength, LPSTR buffer);
BOOL SetCurrentDirectory(LPCSTR pathName);
// $TMPDIR (or /tmp) in Windows form with a trailing backslash; lengths as GetCurrentDirectory.
DWORD GetTempPath(DWORD bufferLength, LPSTR buffer);
// pathName + prefix (three characters) + hex number + ".tmp". With unique 0 a free number is
// chosen and the empty file created; returns the number used, 0 on failure.
UINT GetTempFileName(LPCSTR pathName, LPCSTR prefixString, UINT unique, LPSTR tempFileName);

// Program folder: the executable's folder in Windows form, ending in '\'.
std::string GetProgramFolder();
