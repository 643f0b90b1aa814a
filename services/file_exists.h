// Existence tests: a file search on the path exactly as given (wildcards match too).
#pragma once

#include "kernel/cstring.h"

// 1 when a file or folder of that name exists.
BOOL FileExists(const CString& path);
BOOL PathExists(const char* path);
