// Whole-file reads and safe whole-file replacement for the song file formats.
#pragma once

#include <cstdint>
#include <vector>

#include "kernel/file_replace.h"

// Reads the whole regular file at a Windows-style path; false when it is no regular file or cannot be read
// (see ReadRegularFile; std::bad_alloc for a file too large to hold).
bool LoadFileBytes(const char* path, std::vector<uint8_t>& bytes);

// Replaces the file at a Windows-style path with the bytes (see ReplaceFileContents).
FileWriteResult WriteFileReplacing(const char* path, const std::vector<uint8_t>& bytes);
