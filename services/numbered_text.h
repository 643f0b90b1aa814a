// Legacy numbered texts: lines "N text" of lan\<language>.txt in the program folder.
#pragma once

#include "kernel/cstring.h"

// Names the legacy text file; "English" at start.
extern CString g_strLegacyLanguage;

// The text of number n in lan\<legacy language>.txt; empty when the file or the number is missing.
CString GetNumberedText(int n);
// The same on a given file.
CString GetNumberedTextFromFile(const char* path, int n);

// The k-th (1-based) line ended by CR LF, without it, cut to 1023 characters; empty when fewer
// than k lines end in CR LF.
CString GetTextLine(int k, const char* buffer, int length);
