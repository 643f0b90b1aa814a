// Decimation row routines for 1-bit images: nearest bit and area-weighted majority.
#include <algorithm>
#include <climits>
#include <cstring>

#include "imp/impdecim_box.h"
#include "imp/impdecim_rows.h"

namespace {

inline bool bitAt(const unsigned char* p, int64_t b) { return (p[b >> 3] >> (7 - (b & 7))) & 1; }

inline void putBit(unsigned char* p, int64_t b, bool on)
{
    unsigned char m = (unsigned char)(0x80 >> (b & 7));
    p[b >> 3] = on ? (unsigned char)(p[b >> 3] | m) : (unsigned char)(p[b >> 3] & ~m);
}

}  // namespace

// Steps of 1-bit images count bits; the destination row keeps every bit outside the written run.
int32_t impDecimNearest1u(const ImpDecimArgs& a, float* px, float* py)
{
    if (a.dstRowExtent < 8)
        return 1;
    const unsigned char* src = (const unsigned char*)a.src;
    unsigned char* dst = (unsigned char*)a.dst;
    int64_t srcBit = a.srcChannelStep, dstBit = a.dstChannelStep;
    double x0 = (double)*px + srcBit, y = *py, x = x0;
    // Indices stay inside the source where its extents are known (tiles pass none).
    int64_t lastRow = a.srcHeightExtent > 0 ? a.srcHeightExtent / a.srcRowStep - 1 : INT64_MAX;
    int64_t lastBit = a.srcWidthExtent > 0 ? srcBit + a.srcWidthExtent - 1 : INT64_MAX;
    for (int64_t r = 0; r < a.dstRowExtent; r += a.dstRowStep, y += a.yRatio) {
        const unsigned char* srow = src + (std::min((int64_t)y, lastRow) * a.srcRowStep >> 3);
        unsigned char* drow = dst + (r >> 3);
        x = x0;
        for (int64_t q = 0; q < a.dstColumnExtent; ++q, x += a.xRatio)
            putBit(drow, dstBit + q, bitAt(srow, std::min((int64_t)x, lastBit)));
    }
    *px = (float)(x - srcBit);
    *py = (float)y;
    return 1;
}

int32_t impDecimSuper1u(const ImpDecimArgs& a, float* px, float* py)
{
    if (a.dstRowExtent < 8)
        return 1;
    const unsigned char* src = (const unsigned char*)a.src;
    unsigned char* dst = (unsigned char*)a.dst;
    int64_t srcBit = a.srcChannelStep, dstBit = a.dstChannelStep;
    double rx = a.xRatio, ry = a.yRatio;
    int64_t maxRows = a.srcHeightExtent / a.srcRowStep, maxCols = a.srcWidthExtent;
    double norm = 1.0 / (ry * rx);
    double y = *py, x = *px;
    for (int64_t r = 0; r < a.dstRowExtent; r += a.dstRowStep) {
        DecimSpan rows = decimSpan(y, ry, a.srcRowStep, a.srcHeightExtent, maxRows);
        unsigned char* drow = dst + (r >> 3);
        x = *px;
        for (int64_t q = 0; q < a.dstColumnExtent; ++q) {
            DecimSpan cols = decimSpan(x, rx, 1, maxCols, maxCols);
            double sum = decimBoxSum(rows, cols, [&](int64_t row, int64_t col) -> double {
                return bitAt(src + (row * a.srcRowStep >> 3), srcBit + col) ? 1.0 : 0.0;
            });
            putBit(drow, dstBit + q, (int64_t)(sum * norm + 0.5) != 0);
            x = cols.end;
        }
        y = rows.end;
    }
    *px = (float)x;
    *py = (float)y;
    return 1;
}
