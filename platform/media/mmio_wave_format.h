// PCM wave format blocks as stored in a RIFF/WAVE "fmt " chunk (16 bytes, little-endian).
#pragma once

#include "kernel/windef.h"

#ifndef WAVE_FORMAT_PCM
#define WAVE_FORMAT_PCM 1
#endif

#pragma pack(push, 2)
struct WAVEFORMAT {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
};
struct PCMWAVEFORMAT {
    WAVEFORMAT wf;
    WORD wBitsPerSample;
};
#pragma pack(pop)
static_assert(sizeof(PCMWAVEFORMAT) == 16, "the fmt chunk is 16 bytes");
