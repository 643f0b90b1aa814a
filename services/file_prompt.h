// Asking the user for one file of a given type.
#pragma once

#include "kernel/cstring.h"

// An open-file dialog filtered to "<description> Files (*.<extension>)"; the chosen full path, or
// an empty string when cancelled.
CString PromptForFileName(const char* description, const char* extension);
