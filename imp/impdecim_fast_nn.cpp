// Nearest-sample decimation of pixel-order 8-bit images from index tables: rows of packed pixels by byte
// shuffles (SSSE3, checked at run time), other layouts by whole-pixel copies.
#include <tmmintrin.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "imp/impalloc.h"
#include "imp/impdecim_fast.h"

namespace {

bool shufflesAvailable()
{
    static const bool available = (__builtin_cpu_init(), __builtin_cpu_supports("ssse3"));
    return available;
}

// Groups of sixteen destination bytes whose source bytes (offsets from the row's start) lie within 32 bytes that
// may be read: where the two 16-byte loads start and the shuffle masks that pick the bytes from them.
struct ByteGroups {
    int64_t groups = 0;
    int64_t* window = nullptr;
    uint8_t* masks = nullptr;  // per group: low mask, high mask
    void* block = nullptr;
    ByteGroups() = default;
    ByteGroups(const ByteGroups&) = delete;
    ByteGroups& operator=(const ByteGroups&) = delete;
    ~ByteGroups() { impAlignedFree(block); }

    bool build(const int64_t* offsets, int64_t count, int64_t readable)
    {
        int64_t g = count / 16;
        block = impAlignedMalloc(32 * g + 8 * g + 64);
        if (!block)
            return false;
        masks = (uint8_t*)block;
        window = (int64_t*)(masks + 32 * g);
        for (int64_t q = 0; q < g; ++q) {
            const int64_t* o = offsets + 16 * q;
            int64_t lo = *std::min_element(o, o + 16), hi = *std::max_element(o, o + 16);
            if (hi - lo >= 32 || lo + 32 > readable)
                break;
            for (int i = 0; i < 16; ++i) {
                int64_t at = o[i] - lo;
                masks[32 * q + i] = at < 16 ? (uint8_t)at : 0x80;
                masks[32 * q + 16 + i] = at >= 16 ? (uint8_t)(at - 16) : 0x80;
            }
            window[q] = lo;
            groups = q + 1;
        }
        return true;
    }
};

}  // namespace

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("ssse3"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("ssse3")
#endif

static void shuffleRow(uint8_t* dst, const uint8_t* row, const ByteGroups& b)
{
    for (int64_t q = 0; q < b.groups; ++q) {
        const __m128i* m = (const __m128i*)(b.masks + 32 * q);
        const uint8_t* w = row + b.window[q];
        __m128i v = _mm_or_si128(_mm_shuffle_epi8(_mm_loadu_si128((const __m128i*)w), _mm_load_si128(m)),
                                 _mm_shuffle_epi8(_mm_loadu_si128((const __m128i*)(w + 16)), _mm_load_si128(m + 1)));
        _mm_storeu_si128((__m128i*)(dst + 16 * q), v);
    }
}

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

bool impDecimFastNearest8u(const ImpDecimArgs& a, DecimAxis& cols, const DecimAxis& rows)
{
    int64_t n = a.dstChannelEnd;
    if (a.dstChannelStep != 1 || a.srcChannelStep != 1 || n < 1 || n > a.srcPixelStep || n > a.dstPixelStep)
        return false;
    const uint8_t* src = (const uint8_t*)a.src;
    uint8_t* dst = (uint8_t*)a.dst;
    int64_t lastRow = a.srcHeightExtent > 0 ? a.srcHeightExtent / a.srcRowStep - 1 : INT64_MAX;
    int64_t lastCol = a.srcWidthExtent > 0 ? a.srcWidthExtent / a.srcPixelStep - 1 : INT64_MAX;
    for (int64_t j = 0; j < cols.count; ++j)
        cols.at[j] = std::min(cols.at[j], lastCol) * a.srcPixelStep;
    if (n == a.dstPixelStep && a.srcWidthExtent > 0 && shufflesAvailable()) {
        // Packed destination pixels: a row is one run of bytes, each from its own source byte.
        int64_t count = cols.count * n;
        int64_t* offsets = (int64_t*)impAlignedMalloc(8 * count + 8);
        ByteGroups b;
        bool planned = offsets != nullptr;
        if (planned) {
            for (int64_t k = 0; k < count; ++k)
                offsets[k] = cols.at[k / n] + k % n;
            // Bytes of a region row that may be read: the row reaches the image's edge, less the channel offset.
            planned = b.build(offsets, count, a.srcWidthExtent - (a.srcPixelStep - 1));
        }
        if (planned) {
            for (int64_t i = 0; i < rows.count; ++i) {
                const uint8_t* srow = src + std::min(rows.at[i], lastRow) * a.srcRowStep;
                uint8_t* d = dst + i * a.dstRowStep;
                shuffleRow(d, srow, b);
                for (int64_t k = 16 * b.groups; k < count; ++k)
                    d[k] = srow[offsets[k]];
            }
        }
        impAlignedFree(offsets);
        if (planned)
            return true;
    }
    // A pixel is copied as one 32-bit word when the word's spare byte is the next destination pixel's, written
    // over next, and lies inside the source row.
    bool words = (n == 3 || n == 4) && a.dstPixelStep == n;
    int64_t wide = 0;
    for (int64_t j = 0; j < cols.count; ++j) {
        words = words && (n == 4 || (j + 1 < cols.count && a.srcWidthExtent > 0 && cols.at[j] + 4 <= a.srcWidthExtent));
        if (words)
            wide = j + 1;
    }
    for (int64_t i = 0; i < rows.count; ++i) {
        const uint8_t* srow = src + std::min(rows.at[i], lastRow) * a.srcRowStep;
        uint8_t* d = dst + i * a.dstRowStep;
        int64_t j = 0;
        for (; j < wide; ++j, d += a.dstPixelStep)
            memcpy(d, srow + cols.at[j], 4);
        for (; j < cols.count; ++j, d += a.dstPixelStep)
            for (int64_t c = 0; c < n; ++c)
                d[c] = srow[cols.at[j] + c];
    }
    return true;
}
