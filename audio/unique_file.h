// Temporary files of one run: names that no other run, in this program or another, is using.
#pragma once

#include "kernel/cstring.h"

// Makes a new empty file folder + stem + "-<process id>-<n>" + extension (folder in the program's Windows
// form, ending in a backslash) and returns its path; empty, with errno set, when the folder takes no file.
CString CreateUniqueFile(const CString& strFolder, const char* pszStem, const char* pszExtension);
