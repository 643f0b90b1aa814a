// Reading a whole file at a Linux path into memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Replaces text with the file's bytes; false (text untouched) when the file cannot be opened.
bool ReadWholeFile(const std::string& linuxPath, std::string& text);

// Replaces bytes with the contents of the regular file at a Linux path; false (bytes untouched) for anything
// else (a folder, a FIFO, a device: opened without waiting for a writer) or when it cannot be read. Throws
// std::bad_alloc when the file is too large to hold.
bool ReadRegularFile(const std::string& linuxPath, std::vector<uint8_t>& bytes);
