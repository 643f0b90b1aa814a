// The C runtime's path splitter and joiner: drive, directory, file name and extension.
#pragma once

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

// Drive "X:" when the path starts with one; directory up to and including the last '\' or '/';
// the extension from the last '.' of the file name on. Any output may be null; each piece is cut
// to its _MAX_ size (terminating NUL included).
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
// Joins the pieces, adding ':' after a drive letter, a '\' after a directory and a '.' before an extension when
// missing.
void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext);
