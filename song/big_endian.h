// Big-endian 32-bit reads and writes for the chunk sizes of the song file formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

inline uint32_t BigEndian32(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// Overwrites the four bytes at `at`, which must already be in `out`.
inline void PutBigEndian32(std::vector<uint8_t>& out, size_t at, uint32_t value)
{
    out[at] = static_cast<uint8_t>(value >> 24);
    out[at + 1] = static_cast<uint8_t>(value >> 16);
    out[at + 2] = static_cast<uint8_t>(value >> 8);
    out[at + 3] = static_cast<uint8_t>(value);
}
