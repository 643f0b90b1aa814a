// AMR narrow-band and wide-band encoding of 16-bit mono PCM into the AMR storage format.
#pragma once

#include <string>

enum AmrKind {
    AMR_NARROW_BAND,  // 8000 Hz input, "#!AMR\n" files, 12.2 kbit/s
    AMR_WIDE_BAND,    // 16000 Hz input, "#!AMR-WB\n" files, 23.85 kbit/s
};

// Sample rate the encoder of that kind takes.
int AmrSampleRate(AmrKind kind);

// Encodes a raw 16-bit little-endian mono PCM file into a complete AMR storage file (header and frames;
// the last frame padded with silence), reading it in blocks. False when a file or the encoder fails.
bool EncodeAmrFile(AmrKind kind, const std::string& pcmPath, const std::string& amrPath);
