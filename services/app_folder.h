// The program folder: set once at start, always ending in a backslash.
#pragma once

#include "kernel/cstring.h"

// Keeps the drive and directory of path (with one trailing backslash) as the program folder.
void SetAppFolder(const CString& path);
// The program-folder buffer itself.
const char* GetAppFolderPath();
// A copy of the program folder. The converter fills a never-set folder from its executable's path.
CString GetAppFolder();
// Fills the program folder from the current directory.
void InitAppFolderFromCurrentDir();
