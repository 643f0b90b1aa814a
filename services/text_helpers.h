// Small text helpers: blanks, backslashes, dots, counting and splitting, image extensions.
#pragma once

#include "kernel/cstring.h"

// 1 when every character is a blank (an empty text too).
BOOL IsBlankText(const char* text);

// Appends "\" unless the text already ends in one.
void AppendBackslash(CString& text);

// Length of a text, 0 for a null pointer.
int TextLength(const char* text);

// 1 when none of the last five characters (all of them when shorter) is a dot.
BOOL LacksExtension(const char* name);

// Number of occurrences of ch.
int CountChar(const CString& text, char ch);

// pieces[0 .. count-2] are the texts between successive separators, pieces[count-1] the rest;
// pieces left over when the separators run out are empty.
void SplitText(const CString& text, char separator, CString* pieces, int count);

// 1 when the last three characters match, ignoring case, the first three of a supported image type.
BOOL IsSupportedImageExtension(const char* name);

// String-table text of id copied into buffer (at most size - 1 bytes); empty when absent.
void LoadTextResource(UINT id, char* buffer, int size);
