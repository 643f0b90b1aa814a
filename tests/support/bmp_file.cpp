// Writes 32-bit pixels as a BMP file.
#include "tests/support/bmp_file.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

bool WriteBmp24(const std::string& path, const void* bits, int width, int height)
{
    int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> file(54 + (size_t)stride * height, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = (unsigned char)(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, (uint32_t)file.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, (uint32_t)width);
    put32(22, (uint32_t)height);
    file[26] = 1;
    file[28] = 24;
    put32(34, (uint32_t)(stride * height));
    const auto* px = static_cast<const unsigned char*>(bits);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = &file[54 + (size_t)(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x)
            std::memcpy(row + 3 * x, px + ((size_t)y * width + x) * 4, 3);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && ok;
}
