// The user's documents folder, where the log and the export output go.
#pragma once

#include "kernel/cstring.h"

// The documents folder with a trailing backslash, or an empty string when it cannot be found.
CString GetDocumentsFolder();
