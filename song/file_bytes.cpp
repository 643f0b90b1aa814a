// Whole-file reads and safe replacement of the song files.
#include "song/file_bytes.h"

#include "kernel/path_map.h"
#include "kernel/whole_file.h"

bool LoadFileBytes(const char* path, std::vector<uint8_t>& bytes) { return ReadRegularFile(MapPath(path), bytes); }

FileWriteResult WriteFileReplacing(const char* path, const std::vector<uint8_t>& bytes)
{
    return ReplaceFileContents(MapPathLiteral(path), bytes.data(), bytes.size());
}
