// Environment variables the Windows way: %NAME% expansion and the variable queries.
#pragma once

#include <optional>
#include <string>

#include "kernel/windef.h"

// Replaces each %NAME% by the variable's value; unknown names stay as written. Returns the size
// needed for the whole result with its NUL; the buffer is filled only when that fits.
DWORD ExpandEnvironmentStrings(LPCSTR source, LPSTR destination, DWORD size);
// Length copied, or the size needed (NUL included) when the buffer is too small; 0 when unset.
DWORD GetEnvironmentVariable(LPCSTR name, LPSTR buffer, DWORD size);
BOOL SetEnvironmentVariable(LPCSTR name, LPCSTR value);

// A variable's value. Names are tried as written, then ignoring case; the Windows folder
// variables USERPROFILE, APPDATA, LOCALAPPDATA, TEMP and TMP fall back to the matching Linux
// folders in Windows form when they are not set.
std::optional<std::string> LookupEnvironmentVariable(const std::string& name);
