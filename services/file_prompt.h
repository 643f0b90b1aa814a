// Asking the user for one file of a given type.
#pragma once

#include "kernel/cstring.h"

// A file dialog (open or save) filtered to "<description> Files (*.<extension>)"; the chosen full
// path, or an empty string when cancelled.
CString PromptForFileName(BOOL open, const char* extension, const char* description);
// The open dialog of the same.
CString PromptForFileName(const char* description, const char* extension);
