// Opening RIFF data held in memory through the multimedia I/O functions.
#pragma once

#include <vector>

#include "media/mmio_riff.h"

// A read-only handle over the bytes, which must outlive it; null when it cannot be opened.
inline HMMIO OpenMemoryMmio(std::vector<char>& bytes)
{
    MMIOINFO info = {};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = bytes.data();
    info.cchBuffer = static_cast<LONG>(bytes.size());
    return mmioOpen(nullptr, &info, MMIO_READ);
}
