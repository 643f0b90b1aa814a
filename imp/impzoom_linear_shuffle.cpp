// The 8-bit horizontal bilinear pass by byte shuffles (SSSE3, checked at run time) and the plan it follows.
#include <tmmintrin.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "imp/impalloc.h"
#include "imp/impzoom_kernels.h"

namespace {

bool shufflesAvailable()
{
    static const bool available = (__builtin_cpu_init(), __builtin_cpu_supports("ssse3"));
    return available;
}

// Output values first .. first + count - 1 of a row, one by one.
void plainValues(const uint8_t* src, int32_t first, int32_t count, int32_t channels, int32_t srcChannels,
                 const int32_t* colTable, const int16_t* colWeights, int16_t* out)
{
    if (count <= 0)
        return;
    int32_t j = first / channels, n = first - j * channels;
    for (int32_t v = first; v < first + count; ++v) {
        const uint8_t* p = src + colTable[j] + n;
        out[v] = (int16_t)((p[0] * colWeights[2 * j] + p[srcChannels] * colWeights[2 * j + 1]) >> 8);
        if (++n == channels) {
            n = 0;
            ++j;
        }
    }
}

}  // namespace

ImpLinearShufflePlan::~ImpLinearShufflePlan() { impAlignedFree(block); }

bool ImpLinearShufflePlan::build(int64_t srcRowBytes, int32_t width, int32_t channels, int32_t srcChannels,
                                 const int32_t* colTable, const int16_t* colWeights)
{
    int64_t count = (int64_t)width * channels / 4;
    if (!shufflesAvailable() || count < 2 || count > INT32_MAX / 4)
        return false;
    block = impAlignedMalloc(36 * count);
    if (!block)
        return false;
    groups = (int32_t)count;
    masks = (uint8_t*)block;
    weights = (int16_t*)(masks + 16 * count);
    offsets = (int32_t*)(weights + 8 * count);
    // A window never reaches past the row's readable bytes: near the end it starts earlier.
    int64_t lastStart = srcRowBytes - 16;
    begin = end = -1;
    for (int32_t g = 0; g < groups; ++g) {
        int64_t pos[4], lo = INT64_MAX, hi = INT64_MIN;
        for (int l = 0; l < 4; ++l) {
            int32_t v = 4 * g + l, j = v / channels;
            pos[l] = (int64_t)colTable[j] + (v - j * channels);
            lo = std::min(lo, pos[l]);
            hi = std::max(hi, pos[l]);
            weights[8 * g + 2 * l] = colWeights[2 * j];
            weights[8 * g + 2 * l + 1] = colWeights[2 * j + 1];
        }
        int64_t start = std::min(lo, lastStart);
        if (start < 0 || start > INT32_MAX || hi + srcChannels - start > 15) {
            if (begin >= 0 && end < 0)
                end = g;
            continue;
        }
        if (begin < 0)
            begin = g;
        offsets[g] = (int32_t)start;
        uint8_t* m = masks + 16 * g;
        for (int l = 0; l < 4; ++l) {
            m[4 * l] = (uint8_t)(pos[l] - start);
            m[4 * l + 1] = 0x80;
            m[4 * l + 2] = (uint8_t)(pos[l] + srcChannels - start);
            m[4 * l + 3] = 0x80;
        }
    }
    if (begin < 0)
        begin = end = 0;
    if (end < 0)
        end = groups;
    // Where six groups repeat with windows one fixed distance further on, the masks can stay in registers.
    periodEnd = begin;
    if (begin + 12 <= end) {
        periodStep = offsets[begin + 6] - offsets[begin];
        periodEnd = begin + 6;
        auto repeats = [&](int32_t g) {
            return offsets[g] == offsets[g - 6] + periodStep && memcmp(masks + 16 * g, masks + 16 * (g - 6), 16) == 0;
        };
        while (periodEnd + 6 <= end && repeats(periodEnd) && repeats(periodEnd + 1) && repeats(periodEnd + 2) &&
               repeats(periodEnd + 3) && repeats(periodEnd + 4) && repeats(periodEnd + 5))
            periodEnd += 6;
    }
    return true;
}

// Everything from here on may use SSSE3; it runs only where build() found it.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("ssse3"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("ssse3")
#endif

namespace {

// Eight values of one row from groups g and g + 1: each group's window is shuffled into (p0, p1) pairs of 16-bit
// lanes, multiplied by (w0, w1) and summed in one packed multiply-add.
inline __m128i eightValues(const uint8_t* src, const ImpLinearShufflePlan& plan, int32_t g)
{
    const __m128i* masks = (const __m128i*)plan.masks;
    const __m128i* weights = (const __m128i*)plan.weights;
    __m128i a = _mm_shuffle_epi8(_mm_loadu_si128((const __m128i*)(src + plan.offsets[g])), _mm_load_si128(masks + g));
    __m128i b =
        _mm_shuffle_epi8(_mm_loadu_si128((const __m128i*)(src + plan.offsets[g + 1])), _mm_load_si128(masks + g + 1));
    a = _mm_srai_epi32(_mm_madd_epi16(a, _mm_load_si128(weights + g)), 8);
    b = _mm_srai_epi32(_mm_madd_epi16(b, _mm_load_si128(weights + g + 1)), 8);
    return _mm_packs_epi32(a, b);
}

}  // namespace

void impZoomLinearH8uShuffle(const uint8_t* src, const ImpLinearShufflePlan& plan, int32_t width, int32_t channels,
                             int32_t srcChannels, const int32_t* colTable, const int16_t* colWeights, int16_t* out)
{
    int32_t g = plan.begin;
    plainValues(src, 0, 4 * g, channels, srcChannels, colTable, colWeights, out);
    for (; g + 2 <= plan.end; g += 2)
        _mm_storeu_si128((__m128i*)(out + 4 * g), eightValues(src, plan, g));
    plainValues(src, 4 * g, width * channels - 4 * g, channels, srcChannels, colTable, colWeights, out);
}

namespace {

// The vertical blend of eight values: (upper·w0 + lower·w1) >> 20 equals (base + ((other − base)·w >> 14)) >> 6
// with base the upper row and w = w1, or base the lower row and w = w0. The base is the row with the larger weight,
// so that w stays below 8192 and (other − base)·w >> 14 is one signed high multiply by 4w; at w1 = 8192 it is a
// halving.
enum class Blend { kUpperBase, kLowerBase, kHalf };

template <Blend Form>
inline __m128i blendRows(__m128i upper, __m128i lower, __m128i weight)
{
    if (Form == Blend::kLowerBase)
        return _mm_srli_epi16(_mm_add_epi16(lower, _mm_mulhi_epi16(_mm_sub_epi16(upper, lower), weight)), 6);
    __m128i d = _mm_sub_epi16(lower, upper);
    d = Form == Blend::kHalf ? _mm_srai_epi16(d, 1) : _mm_mulhi_epi16(d, weight);
    return _mm_srli_epi16(_mm_add_epi16(upper, d), 6);
}

// Asks for the bytes `ahead` after p, in the source rows of the next destination row; a hint that never faults.
inline void readAhead(const uint8_t* p, int64_t ahead)
{
    _mm_prefetch((const char*)((uintptr_t)p + (uintptr_t)ahead), _MM_HINT_T0);
}

// One destination row. UpperKept: the upper row is already filtered in `up`; Form: how the rows are blended;
// Keep: the filtered rows are stored for the next destination row. The source rows of that row lie `ahead` bytes
// after these and are fetched into the cache on the way.
template <bool UpperKept, Blend Form, bool Keep>
void shuffleRow(uint8_t* dst, const uint8_t* upper, const uint8_t* lower, int32_t w1, const ImpLinearShufflePlan& plan,
                int32_t width, int32_t channels, int32_t srcChannels, const int32_t* colTable,
                const int16_t* colWeights, int16_t* up, int16_t* lo, int64_t ahead)
{
    auto plain = [&](int32_t first, int32_t count) {
        if (count <= 0)
            return;
        if (!UpperKept)
            plainValues(upper, first, count, channels, srcChannels, colTable, colWeights, up);
        plainValues(lower, first, count, channels, srcChannels, colTable, colWeights, lo);
        impZoomLinearV8uRef(dst + first, count, w1, up + first, lo + first);
    };
    const __m128i weight = _mm_set1_epi16((short)(4 * (Form == Blend::kLowerBase ? 16384 - w1 : w1)));
    auto blend = [&](__m128i u, __m128i l) { return blendRows<Form>(u, l, weight); };
    const int32_t* offsets = plan.offsets;
    const __m128i* masks = (const __m128i*)plan.masks;
    const __m128i* weights = (const __m128i*)plan.weights;
    const int32_t end = plan.end, periodEnd = plan.periodEnd;
    int32_t g = plan.begin;
    plain(0, 4 * g);
    if (g + 6 <= periodEnd) {
        // Twenty-four values per step with the six masks and window distances of one period held in registers.
        const __m128i m0 = masks[g], m1 = masks[g + 1], m2 = masks[g + 2], m3 = masks[g + 3], m4 = masks[g + 4],
                      m5 = masks[g + 5];
        const int64_t o1 = offsets[g + 1] - offsets[g], o2 = offsets[g + 2] - offsets[g],
                      o3 = offsets[g + 3] - offsets[g], o4 = offsets[g + 4] - offsets[g],
                      o5 = offsets[g + 5] - offsets[g], step = plan.periodStep;
        const uint8_t *a = upper + offsets[g], *b = lower + offsets[g];
        for (; g + 6 <= periodEnd; g += 6, a += step, b += step) {
            const __m128i* w = weights + g;
            readAhead(a, ahead);
            readAhead(b, ahead);
            auto group = [&](const uint8_t* p, __m128i m, int i) {
                return _mm_srai_epi32(_mm_madd_epi16(_mm_shuffle_epi8(_mm_loadu_si128((const __m128i*)p), m), w[i]), 8);
            };
            auto six = [&](const uint8_t* p, __m128i h[3]) {
                h[0] = _mm_packs_epi32(group(p, m0, 0), group(p + o1, m1, 1));
                h[1] = _mm_packs_epi32(group(p + o2, m2, 2), group(p + o3, m3, 3));
                h[2] = _mm_packs_epi32(group(p + o4, m4, 4), group(p + o5, m5, 5));
            };
            __m128i u[3], l[3];
            if (UpperKept) {
                for (int i = 0; i < 3; ++i)
                    u[i] = _mm_loadu_si128((const __m128i*)(up + 4 * g + 8 * i));
            } else {
                six(a, u);
            }
            six(b, l);
            if (Keep) {
                for (int i = 0; i < 3; ++i) {
                    if (!UpperKept)
                        _mm_storeu_si128((__m128i*)(up + 4 * g + 8 * i), u[i]);
                    _mm_storeu_si128((__m128i*)(lo + 4 * g + 8 * i), l[i]);
                }
            }
            _mm_storeu_si128((__m128i*)(dst + 4 * g), _mm_packus_epi16(blend(u[0], l[0]), blend(u[1], l[1])));
            __m128i last = blend(u[2], l[2]);
            _mm_storel_epi64((__m128i*)(dst + 4 * g + 16), _mm_packus_epi16(last, last));
        }
    }
    for (; g + 4 <= end; g += 4) {
        readAhead(upper + offsets[g], ahead);
        readAhead(lower + offsets[g], ahead);
        __m128i u0, u1;
        if (UpperKept) {
            u0 = _mm_loadu_si128((const __m128i*)(up + 4 * g));
            u1 = _mm_loadu_si128((const __m128i*)(up + 4 * g + 8));
        } else {
            u0 = eightValues(upper, plan, g);
            u1 = eightValues(upper, plan, g + 2);
        }
        __m128i l0 = eightValues(lower, plan, g), l1 = eightValues(lower, plan, g + 2);
        if (Keep) {
            if (!UpperKept) {
                _mm_storeu_si128((__m128i*)(up + 4 * g), u0);
                _mm_storeu_si128((__m128i*)(up + 4 * g + 8), u1);
            }
            _mm_storeu_si128((__m128i*)(lo + 4 * g), l0);
            _mm_storeu_si128((__m128i*)(lo + 4 * g + 8), l1);
        }
        _mm_storeu_si128((__m128i*)(dst + 4 * g), _mm_packus_epi16(blend(u0, l0), blend(u1, l1)));
    }
    if (g + 2 <= end) {
        __m128i u = UpperKept ? _mm_loadu_si128((const __m128i*)(up + 4 * g)) : eightValues(upper, plan, g);
        __m128i l = eightValues(lower, plan, g);
        if (Keep) {
            if (!UpperKept)
                _mm_storeu_si128((__m128i*)(up + 4 * g), u);
            _mm_storeu_si128((__m128i*)(lo + 4 * g), l);
        }
        __m128i r = blend(u, l);
        _mm_storel_epi64((__m128i*)(dst + 4 * g), _mm_packus_epi16(r, r));
        g += 2;
    }
    plain(4 * g, width * channels - 4 * g);
}

template <bool UpperKept, Blend Form>
void shuffleRowKeep(bool keep, int64_t ahead, uint8_t* dst, const uint8_t* upper, const uint8_t* lower, int32_t w1,
                    const ImpLinearShufflePlan& plan, int32_t width, int32_t channels, int32_t srcChannels,
                    const int32_t* colTable, const int16_t* colWeights, int16_t* up, int16_t* lo)
{
    (keep ? shuffleRow<UpperKept, Form, true> : shuffleRow<UpperKept, Form, false>)(dst, upper, lower, w1, plan, width,
                                                                                    channels, srcChannels, colTable,
                                                                                    colWeights, up, lo, ahead);
}

template <bool UpperKept>
void shuffleRowBlend(bool keep, int64_t ahead, uint8_t* dst, const uint8_t* upper, const uint8_t* lower, int32_t w1,
                     const ImpLinearShufflePlan& plan, int32_t width, int32_t channels, int32_t srcChannels,
                     const int32_t* colTable, const int16_t* colWeights, int16_t* up, int16_t* lo)
{
    auto* kernel = w1 < 8192   ? shuffleRowKeep<UpperKept, Blend::kUpperBase>
                   : w1 > 8192 ? shuffleRowKeep<UpperKept, Blend::kLowerBase>
                               : shuffleRowKeep<UpperKept, Blend::kHalf>;
    kernel(keep, ahead, dst, upper, lower, w1, plan, width, channels, srcChannels, colTable, colWeights, up, lo);
}

}  // namespace

void impZoomLinear8uShuffleRow(uint8_t* dst, const uint8_t* upper, const uint8_t* lower, int32_t w1,
                               const ImpLinearShufflePlan& plan, int32_t width, int32_t channels, int32_t srcChannels,
                               const int32_t* colTable, const int16_t* colWeights, int16_t* up, int16_t* lo,
                               bool upperKept, bool keep, int64_t ahead)
{
    (upperKept ? shuffleRowBlend<true> : shuffleRowBlend<false>)(keep, ahead, dst, upper, lower, w1, plan, width,
                                                                 channels, srcChannels, colTable, colWeights, up, lo);
}

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
