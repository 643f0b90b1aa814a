// Internal: the open multimedia I/O file behind an HMMIO: a descriptor or a memory block with a position.
#pragma once

#include "media/mmio_riff.h"

struct MmioFile {
    int fd = -1;
    bool ownsFd = false;
    char* memory = nullptr;  // memory file: the caller's block
    LONG memorySize = 0;
    LONG position = 0;
    bool writable = false;
};

inline MmioFile* MmioFromHandle(HMMIO h) { return reinterpret_cast<MmioFile*>(h); }
