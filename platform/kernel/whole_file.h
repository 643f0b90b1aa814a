// Reading a whole file at a Linux path into memory.
#pragma once

#include <string>

// Replaces text with the file's bytes; false (text untouched) when the file cannot be opened.
bool ReadWholeFile(const std::string& linuxPath, std::string& text);
