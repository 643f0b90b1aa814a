// User-interface texts: a key of common.ini [stringtip], an "x" id looked up in the language file.
#pragma once

#include "kernel/cstring.h"

// The text for a key; "NULL" when the key or its id is missing.
CString GetLanguageText(const char* key);

// The text itself, or, once the main dialog exists, the current language's text of an "x" id
// (lang001.ini standing in for a language file that lacks it; "NULL" when neither has it).
CString TranslateText(const CString& text);
