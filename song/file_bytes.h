// Whole-file reads and safe whole-file replacement for the song file formats.
#pragma once

#include <cstdint>
#include <vector>

#include "kernel/file_replace.h"

// Reads the whole file at a Windows-style path; false when it cannot be opened or read.
bool LoadFileBytes(const char* path, std::vector<uint8_t>& bytes);

// Replaces the file at a Windows-style path with the bytes (see ReplaceFileContents).
FileWriteResult WriteFileReplacing(const char* path, const std::vector<uint8_t>& bytes);
