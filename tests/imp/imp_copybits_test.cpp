// The shared 1-bit block copy: random blocks against a bit-by-bit reference, guard bytes untouched.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "imp/impcopybits.h"

namespace {

bool getBit(const std::vector<uint8_t>& v, int64_t pos) { return (v[pos >> 3] >> (7 - (pos & 7))) & 1; }
void putBit(std::vector<uint8_t>& v, int64_t pos, bool on)
{
    uint8_t m = (uint8_t)(0x80 >> (pos & 7));
    v[pos >> 3] = on ? (uint8_t)(v[pos >> 3] | m) : (uint8_t)(v[pos >> 3] & ~m);
}

// Rows of `step` bytes with `pad` guard bytes before and after the whole buffer.
struct Bits {
    std::vector<uint8_t> v;
    int64_t step;
    static constexpr int pad = 4;
    Bits(int64_t step, int rows, std::mt19937& rng) : v(step * rows + 2 * pad), step(step)
    {
        for (auto& b : v)
            b = (uint8_t)rng();
    }
    unsigned char* row0() { return v.data() + pad; }
    int64_t pos(int y, int64_t bit) const { return 8 * (pad + y * step) + bit; }
};

}  // namespace

TEST(ImpCopyBits, RandomBlocksMatchBitReference)
{
    std::mt19937 rng(7);
    for (int iter = 0; iter < 400; ++iter) {
        int width = iter < 20 ? iter % 3 : (int)(rng() % 70) + 1, rows = (int)(rng() % 4) + 1;
        int sBit = (int)(rng() % 20), dBit = (int)(rng() % 20);
        // Rows exactly as long as the block needs, so a read or write past it would leave the buffer's rows.
        int64_t sStep = (sBit + width + 7) / 8, dStep = (dBit + width + 7) / 8;
        uint16_t pattern = (uint16_t)(iter % 3 == 0 ? 0 : iter % 3 == 1 ? 0xFFFF : rng());
        Bits src(std::max<int64_t>(sStep, 1), rows, rng), dst(std::max<int64_t>(dStep, 1), rows, rng);
        std::vector<uint8_t> want = dst.v;
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < width; ++x) {
                int64_t dp = dBit + x, unitByte = dp / 8 - dBit / 8;
                uint8_t p = (unitByte & 1) ? (uint8_t)pattern : (uint8_t)(pattern >> 8);
                bool flip = (p >> (7 - (dp & 7))) & 1;
                putBit(want, dst.pos(y, dp), getBit(src.v, src.pos(y, sBit + x)) ^ flip);
            }
        }
        std::vector<uint8_t> before = src.v;
        impCopyBitBlock(src.row0(), dst.row0(), sBit, dBit, width, rows, src.step, dst.step, pattern);
        ASSERT_EQ(dst.v, want) << "width " << width << " from " << sBit << " to " << dBit;
        ASSERT_EQ(src.v, before);
    }
}

TEST(ImpCopyBits, CopyAndInvertAcrossBytes)
{
    struct Case {
        int sBit, dBit, width;
        int32_t pattern;
        uint8_t src[3], dstBefore[3], want[3];
    } cases[] = {
        // Five pixels from bit 3 to bit 6 change exactly destination pixels 6 to 10.
        {3, 6, 5, 0, {0x1F, 0x00, 0x00}, {0x00, 0x00, 0x00}, {0x03, 0xE0, 0x00}},
        {3, 6, 5, -1, {0x1F, 0x00, 0x00}, {0x00, 0x00, 0x00}, {0x00, 0x00, 0x00}},
        {3, 6, 5, -1, {0x00, 0x00, 0x00}, {0xAA, 0xAA, 0xAA}, {0xAB, 0xEA, 0xAA}},
        // Source column 6 onward lands on destination column 1 onward.
        {6, 1, 10, 0, {0x02, 0xFF, 0x00}, {0x80, 0x00, 0x01}, {0xDF, 0xE0, 0x01}},
        {9, 17, 1, 0, {0x00, 0x40, 0x00}, {0x00, 0x00, 0x00}, {0x00, 0x00, 0x40}},
    };
    for (const auto& c : cases) {
        uint8_t dst[3] = {c.dstBefore[0], c.dstBefore[1], c.dstBefore[2]};
        impCopyBits1uXor(c.src, dst, c.sBit, c.dBit, c.width, 1, 3, 3, c.pattern);
        EXPECT_EQ(dst[0], c.want[0]) << c.sBit << "->" << c.dBit;
        EXPECT_EQ(dst[1], c.want[1]) << c.sBit << "->" << c.dBit;
        EXPECT_EQ(dst[2], c.want[2]) << c.sBit << "->" << c.dBit;
    }
}
