// Writes a 24-bit BMP file: bottom-up rows padded to four bytes.
#include "bmp_writer.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void Put16(std::vector<uint8_t>& b, uint16_t v)
{
    b.push_back(v & 0xFF);
    b.push_back(v >> 8);
}

void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back((v >> (8 * i)) & 0xFF);
}

}  // namespace

bool WriteBmp24(const std::string& path, const void* bgrxPixels, int width, int height)
{
    int stride = (width * 3 + 3) & ~3;
    uint32_t imageSize = (uint32_t)stride * height;
    std::vector<uint8_t> b;
    b.reserve(54 + imageSize);
    b.push_back('B');
    b.push_back('M');
    Put32(b, 54 + imageSize);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, (uint32_t)width);
    Put32(b, (uint32_t)height);
    Put16(b, 1);
    Put16(b, 24);
    Put32(b, 0);
    Put32(b, imageSize);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    const auto* src = static_cast<const uint8_t*>(bgrxPixels);
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = src + (size_t)y * width * 4;
        for (int x = 0; x < width; ++x) {
            b.push_back(row[x * 4]);
            b.push_back(row[x * 4 + 1]);
            b.push_back(row[x * 4 + 2]);
        }
        for (int p = width * 3; p < stride; ++p)
            b.push_back(0);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}
