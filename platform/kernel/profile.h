// Private-profile (ini file) functions with their Windows behaviour; file names are Windows-style paths.
#pragma once

#include "kernel/windef.h"

// Value of a key, or the default (trailing blanks removed) when file, section or key is missing.
// A null section lists the section names, a null key the section's keys, each NUL-terminated and
// the list ended by a second NUL. Returns the characters copied, not counting the final NUL;
// a value that does not fit is cut to size - 1 characters (a list to size - 2; the section-name list
// also when it only just fits, and an empty one is a single NUL).
DWORD GetPrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                              LPCSTR fileName);
// Leading decimal number of the value, with an optional sign; 0 when the value starts otherwise;
// the default when the key is missing or its value empty.
UINT GetPrivateProfileInt(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
// Sets a key (creating file and section as needed), deletes it (null value) or deletes the whole
// section (null key). Every other line is kept; the file is written with CR LF line ends, in its own
// encoding, and only when its text changes. Names and values end at a line break: the rest is not
// written. A file that cannot be read or is read-only is refused (FALSE), never replaced; writers in
// several processes are serialised by a lock on the file.
BOOL WritePrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
