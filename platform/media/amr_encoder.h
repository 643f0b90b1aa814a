// AMR narrow-band and wide-band encoding of 16-bit mono PCM into the AMR storage format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum AmrKind {
    AMR_NARROW_BAND,  // 8000 Hz input, "#!AMR\n" files, 12.2 kbit/s
    AMR_WIDE_BAND,    // 16000 Hz input, "#!AMR-WB\n" files, 23.85 kbit/s
};

// Sample rate the encoder of that kind takes.
int AmrSampleRate(AmrKind kind);

// Encodes the samples into a complete AMR storage file (header and frames; the last frame padded with
// silence). False when the encoder cannot start.
bool EncodeAmr(AmrKind kind, const int16_t* samples, size_t count, std::vector<uint8_t>* file);

// Encodes a raw 16-bit little-endian mono PCM file into an AMR file; false when a file fails or the encoder does.
bool EncodeAmrFile(AmrKind kind, const std::string& pcmPath, const std::string& amrPath);
