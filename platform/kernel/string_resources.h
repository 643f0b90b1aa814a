// String-table resources: data/res/STRING/*.txt, one "ID<TAB>text" line per string.
//
// The text may hold the escapes \n, \r, \t and \\. Lines that do not start with a number are ignored.
#pragma once

#include <optional>
#include <string>

#include "kernel/windef.h"

class CString;

// Copies the string with that id (cut to bufferMax - 1 characters); 0 and an empty buffer when absent.
int LoadString(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax);
// The string with that id; FALSE (text left as it was) when absent.
BOOL LoadStringResource(UINT id, CString& text);
std::optional<std::string> FindStringResource(UINT id);
