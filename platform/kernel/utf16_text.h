// Conversions between UTF-16 bytes (either byte order) and UTF-8, for files saved as "Unicode".
#pragma once

#include <string>
#include <string_view>

// Damaged sequences (lone surrogates, an odd last byte) become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);
// Bytes that are not UTF-8 are taken as Latin-1 characters, so nothing is lost on the way.
std::string Utf8ToUtf16(std::string_view text, bool bigEndian);
