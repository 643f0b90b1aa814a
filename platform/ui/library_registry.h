// Libraries that live inside the program: LoadLibrary finds them by file name and GetProcAddress their exports.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/libraries.h"

// One export: its name and its address.
using LibraryExports = std::vector<std::pair<std::string, FARPROC>>;

// Makes a library loadable under a file name (compared without case); a second registration under the same
// name replaces the exports. No Windows library is registered by the programs, so their loads keep failing;
// tests register stand-ins to take the branches of a machine that has them.
void RegisterInProcessLibrary(const char* fileName, LibraryExports exports);
// The name no longer loads; handles already given out stay valid until the process ends.
void UnregisterInProcessLibrary(const char* fileName);

// The handle of a registered library, or null.
HMODULE FindInProcessLibrary(const char* fileName);
// The export's address, or null when the handle is not a registered library's or has no such export.
FARPROC FindInProcessExport(HMODULE module, const char* procName);
// Whether the handle was given out for a registered library.
bool IsInProcessLibrary(HMODULE module);
