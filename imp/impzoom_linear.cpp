// Bilinear zoom kernels: Q14 horizontal pass into 16-bit work rows, vertical pass into the destination.
#include <emmintrin.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "imp/impzoom_kernels.h"

void impZoomLinearH8uPixelRef(const uint8_t* src, int32_t width, int32_t channels, int32_t srcChannels,
                              const int32_t* colTable, const int16_t* colWeights, int16_t* out)
{
    for (int32_t j = 0; j < width; ++j) {
        const uint8_t* p = src + colTable[j];
        int32_t w0 = colWeights[2 * j], w1 = colWeights[2 * j + 1];
        for (int32_t n = 0; n < channels; ++n)
            *out++ = (int16_t)((p[n] * w0 + p[n + srcChannels] * w1) >> 8);
    }
}

// Three or four channels per pixel in one packed multiply-add where eight bytes can be read safely;
// the column offsets must not decrease, as a zoom's never do.
void impZoomLinearH8uPixel(const uint8_t* src, int64_t srcRowBytes, int32_t width, int32_t channels,
                           int32_t srcChannels, const int32_t* colTable, const int16_t* colWeights,
                           const int16_t* colWeightVectors, int16_t* out)
{
    if ((channels != 3 && channels != 4) || srcChannels != channels || !colWeightVectors)
        return impZoomLinearH8uPixelRef(src, width, channels, srcChannels, colTable, colWeights, out);
    // Columns that may read eight bytes form a prefix.
    int32_t safe = width - 1;
    while (safe > 0 && (int64_t)colTable[safe - 1] + 8 > srcRowBytes)
        --safe;
    const __m128i zero = _mm_setzero_si128();
    const __m128i* weights = (const __m128i*)colWeightVectors;
    int32_t j = 0;
    // Two pixels per step: pixel j in the low half, j + 1 in the high half; each half shifted by one pixel
    // and interleaved with itself gives the (p0, p1) pairs of every channel.
    for (; j + 1 < safe; j += 2) {
        __m128i both = _mm_unpacklo_epi64(_mm_loadl_epi64((const __m128i*)(src + colTable[j])),
                                          _mm_loadl_epi64((const __m128i*)(src + colTable[j + 1])));
        __m128i next = channels == 3 ? _mm_srli_epi64(both, 24) : _mm_srli_epi64(both, 32);
        __m128i lo = _mm_unpacklo_epi8(_mm_unpacklo_epi8(both, next), zero);
        __m128i hi = _mm_unpacklo_epi8(_mm_unpackhi_epi8(both, next), zero);
        __m128i a = _mm_srai_epi32(_mm_madd_epi16(lo, _mm_loadu_si128(weights + j)), 8);
        __m128i b = _mm_srai_epi32(_mm_madd_epi16(hi, _mm_loadu_si128(weights + j + 1)), 8);
        __m128i packed = _mm_packs_epi32(a, b);
        // Four values per pixel are stored; a 3-channel pixel's fourth is rewritten by the next one.
        _mm_storel_epi64((__m128i*)(out + channels * j), packed);
        _mm_storel_epi64((__m128i*)(out + channels * (j + 1)), _mm_unpackhi_epi64(packed, packed));
    }
    impZoomLinearH8uPixelRef(src, width - j, channels, srcChannels, colTable + j, colWeights + 2 * j,
                             out + channels * j);
}

static void linearH8uPlanar(const uint8_t* src, int32_t width, const int32_t* colTable, const int16_t* colWeights,
                            int16_t* out)
{
    impZoomLinearH8uPixelRef(src, width, 1, 1, colTable, colWeights, out);
}

static void linearH16u(const uint16_t* src, int32_t width, int32_t channels, int32_t srcChannels,
                       const int32_t* colTable, const int16_t* colWeights, int16_t* out)
{
    for (int32_t j = 0; j < width; ++j) {
        const uint16_t* p = src + colTable[j];
        int32_t w0 = colWeights[2 * j], w1 = colWeights[2 * j + 1];
        for (int32_t n = 0; n < channels; ++n)
            *out++ = (int16_t)(((p[n] >> 1) * w0 + (p[n + srcChannels] >> 1) * w1) >> 14);
    }
}

void impZoomLinearV8uRef(uint8_t* dst, int32_t count, int32_t w1, const int16_t* upper, const int16_t* lower)
{
    int32_t w0 = 16384 - w1;
    for (int32_t i = 0; i < count; ++i)
        dst[i] = (uint8_t)((upper[i] * w0 + lower[i] * w1) >> 20);
}

// (upper·w0 + lower·w1) >> 20 equals (base + ((other − base)·w >> 14)) >> 6 with base the upper row and w = w1,
// or base the lower row and w = w0; the form whose w stays below 16384 lets the doubled difference and the doubled
// weight meet in one signed 16-bit high multiply, eight values at a time.
void impZoomLinearV8u(uint8_t* dst, int32_t count, int32_t w1, const int16_t* upper, const int16_t* lower)
{
    const int16_t *base = upper, *other = lower;
    int32_t w = w1;
    if (w1 > 16383) {
        base = lower;
        other = upper;
        w = 16384 - w1;
    }
    const __m128i weight = _mm_set1_epi16((short)(2 * w));
    auto eight = [&](int32_t i) {
        __m128i b = _mm_loadu_si128((const __m128i*)(base + i)), o = _mm_loadu_si128((const __m128i*)(other + i));
        __m128i d = _mm_sub_epi16(o, b);
        return _mm_srli_epi16(_mm_add_epi16(b, _mm_mulhi_epi16(_mm_add_epi16(d, d), weight)), 6);
    };
    int32_t i = 0;
    for (; i + 16 <= count; i += 16)
        _mm_storeu_si128((__m128i*)(dst + i), _mm_packus_epi16(eight(i), eight(i + 8)));
    impZoomLinearV8uRef(dst + i, count - i, w1, upper + i, lower + i);
}

void impZoomLinearV16uRef(uint16_t* dst, int32_t count, int32_t w1, const int16_t* upper, const int16_t* lower)
{
    int32_t w0 = 16384 - w1;
    for (int32_t i = 0; i < count; ++i)
        dst[i] = (uint16_t)((upper[i] * w0 + lower[i] * w1) >> 13);
}

void impZoomLinearV16u(uint16_t* dst, int32_t count, int32_t w1, const int16_t* upper, const int16_t* lower)
{
    int32_t w0 = 16384 - w1;
    const __m128i w = _mm_set1_epi32((int32_t)(((uint32_t)w1 << 16) | (uint32_t)w0));
    const __m128i bias = _mm_set1_epi32(32768), flip = _mm_set1_epi16((short)0x8000);
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        __m128i u = _mm_loadu_si128((const __m128i*)(upper + i)), l = _mm_loadu_si128((const __m128i*)(lower + i));
        __m128i a = _mm_sub_epi32(_mm_srai_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(u, l), w), 13), bias);
        __m128i b = _mm_sub_epi32(_mm_srai_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(u, l), w), 13), bias);
        _mm_storeu_si128((__m128i*)(dst + i), _mm_xor_si128(_mm_packs_epi32(a, b), flip));
    }
    impZoomLinearV16uRef(dst + i, count - i, w1, upper + i, lower + i);
}

namespace {

template <typename T>
struct LinearOps;

template <>
struct LinearOps<uint8_t> {
    static constexpr int kShift = 20;
    static void h(const ImpZoomRun& run, const ImpLinearShufflePlan* plan, const uint8_t* src, int32_t nv,
                  int32_t srcCh, int16_t* out)
    {
        if (plan)
            impZoomLinearH8uShuffle(src, *plan, run.width, nv, srcCh, run.colTable, run.colWeights, out);
        else if (nv == 1 && srcCh == 1)
            linearH8uPlanar(src, run.width, run.colTable, run.colWeights, out);
        else
            impZoomLinearH8uPixel(src, run.srcRowBytes, run.width, nv, srcCh, run.colTable, run.colWeights,
                                  run.colWeightVectors, out);
    }
    static void v(uint8_t* dst, int32_t count, int32_t w1, const int16_t* up, const int16_t* lo)
    {
        impZoomLinearV8u(dst, count, w1, up, lo);
    }
};

template <>
struct LinearOps<uint16_t> {
    static constexpr int kShift = 13;
    static void h(const ImpZoomRun& run, const ImpLinearShufflePlan*, const uint16_t* src, int32_t nv, int32_t srcCh,
                  int16_t* out)
    {
        linearH16u(src, run.width, nv, srcCh, run.colTable, run.colWeights, out);
    }
    static void v(uint16_t* dst, int32_t count, int32_t w1, const int16_t* up, const int16_t* lo)
    {
        impZoomLinearV16u(dst, count, w1, up, lo);
    }
};

// Bilinear driver: two work rows follow the source rows while the destination walks down.
template <typename T, bool Planar>
void linearRun(const ImpZoomRun& run)
{
    using Ops = LinearOps<T>;
    int32_t planes = Planar ? run.channels : 1;
    int32_t nv = Planar ? 1 : run.channels;
    int32_t srcCh = Planar ? 1 : run.srcChannels;
    int32_t dstCh = Planar ? 1 : run.dstChannels;
    ImpLinearShufflePlan shuffles;
    const ImpLinearShufflePlan* plan = nullptr;
    if (sizeof(T) == 1 && shuffles.build(run.srcRowBytes, run.width, nv, srcCh, run.colTable, run.colWeights))
        plan = &shuffles;
    for (int32_t p = 0; p < planes; ++p) {
        const T* src = (const T*)run.src + (Planar ? p * run.srcPlane : 0);
        T* dst = (T*)run.dst + (Planar ? p * run.dstPlane : 0);
        int16_t* up = (int16_t*)run.work[0];
        int16_t* lo = (int16_t*)run.work[1];
        Ops::h(run, plan, src + run.rowTable[0], nv, srcCh, lo);
        int64_t prev = (int64_t)run.rowTable[0] - 1;
        const unsigned char* maskRow = run.mask;
        for (int32_t k = 0; k < run.height; ++k) {
            int64_t r = run.rowTable[k];
            int32_t w1 = run.rowWeights[k], w0 = 16384 - w1;
            T* drow = dst + k * run.dstStep;
            if constexpr (sizeof(T) == 1) {
                if (plan && !maskRow && nv == dstCh && r != prev) {
                    // Filtered and blended in one pass; the filtered rows are stored only for a next row that reads
                    // them.
                    bool upperKept = r > prev && r <= prev + run.srcStep;
                    if (upperKept)
                        std::swap(up, lo);
                    int64_t next = k + 1 < run.height ? run.rowTable[k + 1] : r - 1;
                    impZoomLinear8uShuffleRow(drow, src + r, src + r + run.srcStep, w1, *plan, run.width, nv, srcCh,
                                              run.colTable, run.colWeights, up, lo, upperKept,
                                              next == r || next == r + run.srcStep, next - r);
                    prev = r;
                    continue;
                }
            }
            if (r > prev) {
                std::swap(up, lo);
                Ops::h(run, plan, src + r + run.srcStep, nv, srcCh, lo);
                if (r > prev + run.srcStep)
                    Ops::h(run, plan, src + r, nv, srcCh, up);
                prev = r;
            } else if (r < prev) {
                Ops::h(run, plan, src + r, nv, srcCh, up);
                Ops::h(run, plan, src + r + run.srcStep, nv, srcCh, lo);
                prev = r;
            }
            if (maskRow) {
                for (int32_t j = 0; j < run.width; ++j) {
                    if (!impZoomMaskBit(maskRow, run.maskBit + j))
                        continue;
                    for (int32_t n = 0; n < nv; ++n) {
                        int32_t i = j * nv + n;
                        drow[j * dstCh + n] = (T)((up[i] * w0 + lo[i] * w1) >> Ops::kShift);
                    }
                }
                maskRow += run.maskStep;
            } else if (nv == dstCh) {
                Ops::v(drow, run.width * nv, w1, up, lo);
            } else {
                for (int32_t j = 0; j < run.width; ++j)
                    for (int32_t n = 0; n < nv; ++n) {
                        int32_t i = j * nv + n;
                        drow[j * dstCh + n] = (T)((up[i] * w0 + lo[i] * w1) >> Ops::kShift);
                    }
            }
        }
    }
}

}  // namespace

void impZoomLinear8uPixel(const ImpZoomRun& run) { linearRun<uint8_t, false>(run); }
void impZoomLinear8uPlanar(const ImpZoomRun& run) { linearRun<uint8_t, true>(run); }
void impZoomLinear16uPixel(const ImpZoomRun& run) { linearRun<uint16_t, false>(run); }
void impZoomLinear16uPlanar(const ImpZoomRun& run) { linearRun<uint16_t, true>(run); }
