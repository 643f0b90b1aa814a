// Keeps a byte-limited read from ending in the middle of a UTF-8 character.
#pragma once

#include <cstddef>

// Length of text[0 .. length) without a trailing incomplete UTF-8 sequence.
size_t Utf8CompleteLength(const char* text, size_t length);
