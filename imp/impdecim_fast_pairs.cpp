// Two-tap 8-bit decimation by byte shuffles (SSSE3, checked at run time): bilinear with weights in whole 64ths,
// and the mean of 2 x 2 windows. Each sample is an exact integer form of the plain routines' double arithmetic.
#include <immintrin.h>

#include <algorithm>
#include <cmath>

#include "imp/impalloc.h"
#include "imp/impdecim_fast.h"

namespace {

bool shufflesAvailable()
{
    static const bool available = (__builtin_cpu_init(), __builtin_cpu_supports("ssse3"));
    return available;
}

bool wideVectorsAvailable()
{
    static const bool available = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
    return available;
}

// Bilinear weights are whole 64ths: products and sums of the double form are then exact.
constexpr int kWeightBits = 6;

// The two taps and weights of every output sample of a row (offsets in bytes from the row's start), and the
// groups of eight samples whose taps lie within 32 bytes: shuffle masks for the two 16-byte loads and the
// weight bytes, ready for one packed multiply-add.
struct PairPlan {
    int64_t samples = 0, groups = 0;
    int64_t *o0 = nullptr, *o1 = nullptr, *window = nullptr;
    int16_t *w0 = nullptr, *w1 = nullptr;
    uint8_t* lanes = nullptr;  // per group: low mask, high mask, weights (16 bytes each)
    void* block = nullptr;
    PairPlan() = default;
    PairPlan(const PairPlan&) = delete;
    PairPlan& operator=(const PairPlan&) = delete;
    ~PairPlan() { impAlignedFree(block); }

    bool allocate(int64_t n)
    {
        samples = n;
        int64_t g = n / 8;
        block = impAlignedMalloc(48 * g + 8 * g + 8 * 2 * n + 2 * 2 * n + 64);
        if (!block)
            return false;
        lanes = (uint8_t*)block;
        window = (int64_t*)(lanes + 48 * g);
        o0 = window + g;
        o1 = o0 + n;
        w0 = (int16_t*)(o1 + n);
        w1 = w0 + n;
        return true;
    }

    // Groups from the first while their taps fit two loads that stay below readable bytes.
    void group(int64_t readable)
    {
        groups = 0;
        for (int64_t g = 0; g < samples / 8; ++g) {
            int64_t lo = o0[8 * g], hi = o1[8 * g];
            for (int64_t k = 8 * g; k < 8 * g + 8; ++k) {
                lo = std::min(lo, o0[k]);
                hi = std::max(hi, o1[k]);
            }
            if (hi - lo >= 32 || lo + 32 > readable)
                break;
            uint8_t* m = lanes + 48 * g;
            for (int i = 0; i < 8; ++i) {
                int64_t taps[2] = {o0[8 * g + i] - lo, o1[8 * g + i] - lo};
                for (int t = 0; t < 2; ++t) {
                    m[2 * i + t] = taps[t] < 16 ? (uint8_t)taps[t] : 0x80;
                    m[16 + 2 * i + t] = taps[t] >= 16 ? (uint8_t)(taps[t] - 16) : 0x80;
                }
                m[32 + 2 * i] = (uint8_t)w0[8 * g + i];
                m[32 + 2 * i + 1] = (uint8_t)w1[8 * g + i];
            }
            window[g] = lo;
            groups = g + 1;
        }
    }
};

inline int32_t plainPair(const uint8_t* row, const PairPlan& p, int64_t k)
{
    return row[p.o0[k]] * p.w0[k] + row[p.o1[k]] * p.w1[k];
}

}  // namespace

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("ssse3"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("ssse3")
#endif

namespace {

// Eight weighted pairs of one row as 16-bit sums.
inline __m128i eightPairs(const uint8_t* row, const PairPlan& p, int64_t g)
{
    const __m128i* m = (const __m128i*)(p.lanes + 48 * g);
    const uint8_t* w = row + p.window[g];
    __m128i taps = _mm_or_si128(_mm_shuffle_epi8(_mm_loadu_si128((const __m128i*)w), _mm_load_si128(m)),
                                _mm_shuffle_epi8(_mm_loadu_si128((const __m128i*)(w + 16)), _mm_load_si128(m + 1)));
    return _mm_maddubs_epi16(taps, _mm_load_si128(m + 2));
}

// One destination row: (upper · v0 + lower · v1) >> shift for the bilinear form.
void linearRow(uint8_t* dst, const uint8_t* upper, const uint8_t* lower, int32_t v0, int32_t v1, const PairPlan& p)
{
    const __m128i vv = _mm_set1_epi32((v1 << 16) | v0);
    for (int64_t g = 0; g < p.groups; ++g) {
        __m128i u = eightPairs(upper, p, g), l = eightPairs(lower, p, g);
        __m128i a = _mm_srai_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(u, l), vv), 2 * kWeightBits);
        __m128i b = _mm_srai_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(u, l), vv), 2 * kWeightBits);
        __m128i words = _mm_packs_epi32(a, b);
        _mm_storel_epi64((__m128i*)(dst + 8 * g), _mm_packus_epi16(words, words));
    }
    for (int64_t k = 8 * p.groups; k < p.samples; ++k)
        dst[k] = (uint8_t)((plainPair(upper, p, k) * v0 + plainPair(lower, p, k) * v1) >> (2 * kWeightBits));
}

// One destination row of 2 x 2 means from group `from` on: (sum + 2) >> 2, as a rounding multiply by 1/4.
void meanRow(uint8_t* dst, const uint8_t* upper, const uint8_t* lower, const PairPlan& p, int64_t from)
{
    const __m128i quarter = _mm_set1_epi16(8192);
    for (int64_t g = from; g < p.groups; ++g) {
        __m128i sum = _mm_add_epi16(eightPairs(upper, p, g), eightPairs(lower, p, g));
        __m128i words = _mm_mulhrs_epi16(sum, quarter);
        _mm_storel_epi64((__m128i*)(dst + 8 * g), _mm_packus_epi16(words, words));
    }
    for (int64_t k = 8 * p.groups; k < p.samples; ++k)
        dst[k] = (uint8_t)((plainPair(upper, p, k) + plainPair(lower, p, k) + 2) >> 2);
}

}  // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

// Two groups at once in 256-bit lanes (AVX2, checked at run time), the rest as above.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace {

inline __m256i twoGroups(const uint8_t* a, const uint8_t* b)
{
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128((const __m128i*)a)),
                                   _mm_loadu_si128((const __m128i*)b), 1);
}

void meanRowWide(uint8_t* dst, const uint8_t* upper, const uint8_t* lower, const PairPlan& p)
{
    const __m256i quarter = _mm256_set1_epi16(8192), ones = _mm256_set1_epi8(1);
    int64_t g = 0;
    for (; g + 2 <= p.groups; g += 2) {
        const uint8_t* m = p.lanes + 48 * g;
        __m256i lowMask = twoGroups(m, m + 48), highMask = twoGroups(m + 16, m + 64);
        auto pairs = [&](const uint8_t* row) {  // every weight of a 2 x 2 mean is 1
            const uint8_t *a = row + p.window[g], *b = row + p.window[g + 1];
            __m256i taps = _mm256_or_si256(_mm256_shuffle_epi8(twoGroups(a, b), lowMask),
                                           _mm256_shuffle_epi8(twoGroups(a + 16, b + 16), highMask));
            return _mm256_maddubs_epi16(taps, ones);
        };
        __m256i words = _mm256_mulhrs_epi16(_mm256_add_epi16(pairs(upper), pairs(lower)), quarter);
        __m256i bytes = _mm256_packus_epi16(words, words);
        _mm_storeu_si128((__m128i*)(dst + 8 * g),
                         _mm_unpacklo_epi64(_mm256_castsi256_si128(bytes), _mm256_extracti128_si256(bytes, 1)));
    }
    meanRow(dst, upper, lower, p, g);
}

}  // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

namespace {

// Pixel order with the processed channels packed in each destination pixel.
bool packedPixels(const ImpDecimArgs& a)
{
    int64_t n = a.dstChannelEnd;
    return shufflesAvailable() && a.dstChannelStep == 1 && a.srcChannelStep == 1 && n >= 1 && n == a.dstPixelStep &&
           n <= a.srcPixelStep && a.srcWidthExtent > 0;
}

// Bytes from a region row's start that may be read: the row reaches the image's edge, less the channel offset.
int64_t readable(const ImpDecimArgs& a) { return a.srcWidthExtent - (a.srcPixelStep - 1); }

bool wholeSixtyFourths(double f) { return std::floor(f * 64) == f * 64; }

}  // namespace

bool impDecimFastLinear8u(const ImpDecimArgs& a, const DecimAxis& cols, const DecimAxis& rows)
{
    if (!packedPixels(a))
        return false;
    for (int64_t j = 0; j < cols.count; ++j)
        if (!wholeSixtyFourths(cols.frac[j]))
            return false;
    for (int64_t i = 0; i < rows.count; ++i)
        if (!wholeSixtyFourths(rows.frac[i]))
            return false;
    int64_t n = a.dstChannelEnd, ps = a.srcPixelStep;
    PairPlan p;
    if (!p.allocate(cols.count * n))
        return false;
    for (int64_t j = 0; j < cols.count; ++j) {
        int16_t w1 = (int16_t)(cols.frac[j] * 64);
        for (int64_t c = 0; c < n; ++c) {
            int64_t k = j * n + c;
            p.o0[k] = cols.at[j] * ps + c;
            p.o1[k] = w1 ? p.o0[k] + ps : p.o0[k];  // a zero weight reads nothing beyond
            p.w0[k] = (int16_t)(64 - w1);
            p.w1[k] = w1;
        }
    }
    p.group(readable(a));
    const uint8_t* src = (const uint8_t*)a.src;
    for (int64_t i = 0; i < rows.count; ++i) {
        int32_t v1 = (int32_t)(rows.frac[i] * 64);
        const uint8_t* upper = src + rows.at[i] * a.srcRowStep;
        linearRow((uint8_t*)a.dst + i * a.dstRowStep, upper, v1 ? upper + a.srcRowStep : upper, 64 - v1, v1, p);
    }
    return true;
}

bool impDecimFastSuperHalf8u(const ImpDecimArgs& a, int64_t x0, int64_t y0, int64_t cols, int64_t rows)
{
    if (!packedPixels(a))
        return false;
    int64_t n = a.dstChannelEnd, ps = a.srcPixelStep;
    PairPlan p;
    if (!p.allocate(cols * n))
        return false;
    for (int64_t j = 0; j < cols; ++j)
        for (int64_t c = 0; c < n; ++c) {
            int64_t k = j * n + c;
            p.o0[k] = (x0 + 2 * j) * ps + c;
            p.o1[k] = p.o0[k] + ps;
            p.w0[k] = p.w1[k] = 1;
        }
    p.group(readable(a));
    bool wide = wideVectorsAvailable();
    const uint8_t* src = (const uint8_t*)a.src;
    for (int64_t i = 0; i < rows; ++i) {
        const uint8_t* upper = src + (y0 + 2 * i) * a.srcRowStep;
        uint8_t* dst = (uint8_t*)a.dst + i * a.dstRowStep;
        if (wide)
            meanRowWide(dst, upper, upper + a.srcRowStep, p);
        else
            meanRow(dst, upper, upper + a.srcRowStep, p, 0);
    }
    return true;
}
