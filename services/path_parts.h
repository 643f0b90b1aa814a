// Pieces of a Windows-style path: drive, directory, title, extension.
#pragma once

#include "kernel/cstring.h"

// "C:" or empty when the path has no drive.
CString GetPathDrive(const CString& path);
// The directory with its leading and trailing backslashes ("\x\" of "C:\x\y.txt").
CString GetPathDir(const CString& path);
// The file name without its extension ("a.b" of "a.b.mid").
CString GetPathTitle(const CString& path);
// The extension with its dot (".mid" of "a.b.mid").
CString GetPathExt(const CString& path);
// Drive followed by directory.
CString GetPathFolder(const CString& path);
// Title followed by extension.
CString GetPathFileName(const CString& path);
