// Bit-block copy shared by the constant logic, the copy and the filters.
#include "imp/impcopybits.h"

namespace {

// Eight source bits starting at bit position pos (may be negative); bytes outside 0..lastByte read as 0.
inline unsigned gather(const unsigned char* row, int64_t pos, int64_t lastByte)
{
    int64_t k = pos >> 3;
    int32_t shift = (int32_t)(pos & 7);
    unsigned hi = (k >= 0 && k <= lastByte) ? row[k] : 0u;
    if (shift == 0)
        return hi;
    unsigned lo = (k + 1 >= 0 && k + 1 <= lastByte) ? row[k + 1] : 0u;
    return (((hi << 8) | lo) << shift >> 8) & 0xFFu;
}

}  // namespace

void impCopyBitBlock(const unsigned char* src, unsigned char* dst, int32_t srcBit, int32_t dstBit, int32_t width,
                     int32_t rows, int64_t srcStep, int64_t dstStep, uint16_t pattern)
{
    if (width <= 0 || rows <= 0)
        return;
    src += srcBit / 8;
    dst += dstBit / 8;
    int32_t s = srcBit % 8, d = dstBit % 8;
    int64_t lastDst = ((int64_t)d + width - 1) / 8, lastSrc = ((int64_t)s + width - 1) / 8;
    unsigned first = 0xFFu >> d, last = (0xFFu << (7 - (int32_t)(((int64_t)d + width - 1) & 7))) & 0xFFu;
    unsigned patHi = pattern >> 8, patLo = pattern & 0xFFu;
    for (int32_t y = 0; y < rows; ++y) {
        const unsigned char* in = src + y * srcStep;
        unsigned char* out = dst + y * dstStep;
        for (int64_t i = 0; i <= lastDst; ++i) {
            unsigned v = gather(in, 8 * i - d + s, lastSrc) ^ ((i & 1) ? patLo : patHi);
            unsigned m = 0xFFu;
            if (i == 0)
                m &= first;
            if (i == lastDst)
                m &= last;
            out[i] = (unsigned char)((out[i] & ~m) | (v & m));
        }
    }
}

void impCopyBits1uXor(const unsigned char* src, unsigned char* dst, int32_t srcBit, int32_t dstBit, int32_t width,
                      int32_t height, int64_t srcStep, int64_t dstStep, int32_t pattern)
{
    impCopyBitBlock(src, dst, srcBit, dstBit, width, height, srcStep, dstStep, (uint16_t)pattern);
}
