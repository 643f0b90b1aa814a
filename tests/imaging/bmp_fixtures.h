// Hand-built BMP files for the codec tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bmpfix {

inline void Put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

// File header + 40-byte info header; palette and pixels are appended by the caller.
inline std::vector<uint8_t> InfoFile(int width, int height, int bits, uint32_t compression, uint32_t coloursUsed,
                                     uint32_t paletteEntries, bool fileHeader = true) {
    std::vector<uint8_t> out;
    if (fileHeader) {
        out.push_back('B');
        out.push_back('M');
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 14 + 40 + 4 * paletteEntries);
    }
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, compression);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, coloursUsed);
    Put32(out, 0);
    return out;
}

inline void Palette(std::vector<uint8_t>& out, const std::vector<uint32_t>& rgb) {
    for (uint32_t c : rgb) {
        out.push_back(c & 0xFF);          // blue
        out.push_back((c >> 8) & 0xFF);   // green
        out.push_back((c >> 16) & 0xFF);  // red
        out.push_back(0);
    }
}

}  // namespace bmpfix
