// Finishing a SMAF file that ffmpeg wrote: the file chunk's length and the closing CRC-16.
#pragma once

#include "kernel/cstring.h"

// Writes L - 6 big-endian into bytes 4-7 of the file of L bytes and appends the CRC-16 of those L bytes
// big-endian. False, and the file untouched, when it cannot be read or is shorter than 8 bytes; false when
// it cannot be written.
bool FinishSmafFile(CString path);
