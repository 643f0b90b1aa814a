// Safe whole-file replacement: a temporary file beside the real file, renamed over it.
#pragma once

#include <cstddef>
#include <string>

enum FileWriteResult {
    FILE_WRITE_OK,
    FILE_WRITE_READONLY,  // the target exists and nobody may write it; nothing written
    FILE_WRITE_FAILED,    // the new file could not be written (errno says why); the old one is untouched
};

// Writes the bytes to a temporary file beside the file a Linux path names (a symbolic link's target) and
// renames it over that file, so that a failed write never damages the previous file; the file keeps its
// mode, owner and group (where this process may give them). A new file gets newFileMode when it is not
// negative. Where the folder takes no new file the write fails and the old file stays as it was.
FileWriteResult ReplaceFileContents(const std::string& linuxPath, const void* data, size_t size, int newFileMode = -1);
