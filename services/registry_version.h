// A product's version text kept in the registry under "SOFTWARE\Mervane\<product key>".
#pragma once

#include "kernel/cstring.h"

// Writes the string value "version" under HKEY_LOCAL_MACHINE; failures are ignored.
void WriteRegistryVersion(const char* productKey, const char* version);
// Reads it from HKEY_LOCAL_MACHINE, else HKEY_CURRENT_USER; empty when neither key opens.
CString ReadRegistryVersion(const char* productKey);
