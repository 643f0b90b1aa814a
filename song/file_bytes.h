// Whole-file reads and safe whole-file replacement for the song file formats.
#pragma once

#include <cstdint>
#include <vector>

enum FileWriteResult {
    FILE_WRITE_OK,
    FILE_WRITE_READONLY,  // the target exists and nobody may write it; nothing written
    FILE_WRITE_FAILED,    // the new file could not be written; the old one is untouched
};

// Reads the whole file at a Windows-style path; false when it cannot be opened or read.
bool LoadFileBytes(const char* path, std::vector<uint8_t>& bytes);

// Writes bytes to a temporary file beside the file path names (a symbolic link's target) and
// renames it over that file, so a failed write never damages the previous file; the file keeps
// its mode, owner and group.
FileWriteResult WriteFileReplacing(const char* path, const std::vector<uint8_t>& bytes);
