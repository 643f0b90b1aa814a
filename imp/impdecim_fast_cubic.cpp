// Bicubic 8-bit decimation (AVX2, checked at run time): each source row is filtered across once into a cached
// row of doubles, then four cached rows are combined down. Every double operation is the plain routine's own,
// in its order, so the samples match bit for bit.
#include <immintrin.h>

#include <algorithm>
#include <cfloat>
#include <utility>

#include "imp/impalloc.h"
#include "imp/impdecim_fast.h"

namespace {

bool wideVectorsAvailable()
{
    static const bool available = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
    return available;
}

const double kSixth = (double)(1.0f / 6.0f);

// The plain routine's Lagrange cubic, term by term.
double lagrange(double pm, double p0, double p1, double p2, double f)
{
    double f2 = f * f, f3 = f2 * f;
    return (6 * p0 + f * (-2 * pm - 3 * p0 + 6 * p1 - p2) + f2 * (3 * pm - 6 * p0 + 3 * p1) +
            f3 * (-pm + 3 * p0 - 3 * p1 + p2)) *
           kSixth;
}

// Where the four taps of a position start and the fraction from the second, after the far-edge rule.
void taps(int64_t index, double frac, int64_t step, int64_t extent, int64_t* o, double* f)
{
    *o = index * step;
    *f = frac;
    if (*o >= extent - 2 * step) {
        *o -= step;
        *f += 1.0;
    }
}

// Per output sample of a row: the offset of its second tap and the powers of its fraction; groups of four
// samples whose 16 tap bytes lie within 32 bytes get shuffle masks for two 16-byte loads.
struct CubicPlan {
    int64_t samples = 0, groups = 0, step = 0;
    int64_t *o = nullptr, *window = nullptr;
    double *f = nullptr, *f2 = nullptr, *f3 = nullptr;
    uint8_t* masks = nullptr;  // per group: low mask, high mask
    void* block = nullptr;
    CubicPlan() = default;
    CubicPlan(const CubicPlan&) = delete;
    CubicPlan& operator=(const CubicPlan&) = delete;
    ~CubicPlan() { impAlignedFree(block); }

    bool build(const ImpDecimArgs& a, const DecimAxis& cols)
    {
        int64_t n = a.dstChannelEnd;
        step = a.srcPixelStep;
        samples = cols.count * n;
        int64_t g = samples / 4;
        block = impAlignedMalloc(32 * g + 8 * g + 8 * 4 * samples + 64);
        if (!block)
            return false;
        masks = (uint8_t*)block;
        window = (int64_t*)(masks + 32 * g);
        o = window + g;
        f = (double*)(o + samples);
        f2 = f + samples;
        f3 = f2 + samples;
        for (int64_t j = 0; j < cols.count; ++j) {
            int64_t off;
            double t;
            taps(cols.at[j], cols.frac[j], step, a.srcWidthExtent, &off, &t);
            for (int64_t c = 0; c < n; ++c) {
                int64_t k = j * n + c;
                o[k] = off + c;
                f[k] = t;
                f2[k] = t * t;
                f3[k] = f2[k] * t;
            }
        }
        // Bytes from a region row's start that may be read: the row reaches the image's edge, less the channel offset.
        int64_t readable = a.srcWidthExtent - (step - 1);
        for (int64_t q = 0; q < g; ++q) {
            int64_t lo = o[4 * q] - step, hi = o[4 * q] + 2 * step;
            for (int64_t k = 4 * q; k < 4 * q + 4; ++k) {
                lo = std::min(lo, o[k] - step);
                hi = std::max(hi, o[k] + 2 * step);
            }
            if (lo < 0 || hi - lo >= 32 || lo + 32 > readable)
                break;
            uint8_t* m = masks + 32 * q;
            for (int i = 0; i < 4; ++i)
                for (int t = 0; t < 4; ++t) {
                    int64_t at = o[4 * q + i] + (t - 1) * step - lo;
                    m[4 * i + t] = at < 16 ? (uint8_t)at : 0x80;
                    m[16 + 4 * i + t] = at >= 16 ? (uint8_t)(at - 16) : 0x80;
                }
            window[q] = lo;
            groups = q + 1;
        }
        return true;
    }
};

}  // namespace

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace {

// One source row filtered across. The tap combinations of the plain form are exact small integers, formed by
// packed multiply-adds; the fraction terms follow in double.
void across(const uint8_t* row, const CubicPlan& p, double* out)
{
    const __m128i ka = _mm_set1_epi32(0xFF06FDFE), kb = _mm_set1_epi32(0x0003FA03);  // (-2,-3,6,-1), (3,-6,3,0)
    const __m128i kc = _mm_set1_epi32(0x01FD03FF), kd = _mm_set1_epi32(0x00000600);  // (-1,3,-3,1), (0,6,0,0)
    const __m128i ones = _mm_set1_epi16(1);
    const __m256d sixth = _mm256_set1_pd(kSixth);
    auto sum4 = [&](__m128i t, __m128i k) { return _mm256_cvtepi32_pd(_mm_madd_epi16(_mm_maddubs_epi16(t, k), ones)); };
    for (int64_t q = 0; q < p.groups; ++q) {
        const __m128i* m = (const __m128i*)(p.masks + 32 * q);
        const uint8_t* w = row + p.window[q];
        __m128i t = _mm_or_si128(_mm_shuffle_epi8(_mm_loadu_si128((const __m128i*)w), _mm_load_si128(m)),
                                 _mm_shuffle_epi8(_mm_loadu_si128((const __m128i*)(w + 16)), _mm_load_si128(m + 1)));
        __m256d v = _mm256_add_pd(sum4(t, kd), _mm256_mul_pd(_mm256_loadu_pd(p.f + 4 * q), sum4(t, ka)));
        v = _mm256_add_pd(v, _mm256_mul_pd(_mm256_loadu_pd(p.f2 + 4 * q), sum4(t, kb)));
        v = _mm256_add_pd(v, _mm256_mul_pd(_mm256_loadu_pd(p.f3 + 4 * q), sum4(t, kc)));
        _mm256_storeu_pd(out + 4 * q, _mm256_mul_pd(v, sixth));
    }
    for (int64_t k = 4 * p.groups; k < p.samples; ++k) {
        const uint8_t* s = row + p.o[k];
        out[k] = lagrange(s[-p.step], s[0], s[p.step], s[2 * p.step], p.f[k]);
    }
}

// One destination row from four filtered rows at fraction f: the plain form's operations, four samples at once.
void down(uint8_t* dst, int64_t count, const double* hm, const double* h0, const double* h1, const double* h2, double f)
{
    double f2s = f * f, f3s = f2s * f;
    const __m256d vf = _mm256_set1_pd(f), vf2 = _mm256_set1_pd(f2s), vf3 = _mm256_set1_pd(f3s);
    const __m256d two = _mm256_set1_pd(-2.0), three = _mm256_set1_pd(3.0), six = _mm256_set1_pd(6.0);
    const __m256d sixth = _mm256_set1_pd(kSixth), sign = _mm256_set1_pd(-0.0);
    int64_t k = 0;
    for (; k + 4 <= count; k += 4) {
        __m256d pm = _mm256_loadu_pd(hm + k), p0 = _mm256_loadu_pd(h0 + k), p1 = _mm256_loadu_pd(h1 + k),
                p2 = _mm256_loadu_pd(h2 + k);
        __m256d p0x3 = _mm256_mul_pd(three, p0), p0x6 = _mm256_mul_pd(six, p0), p1x3 = _mm256_mul_pd(three, p1);
        __m256d a =
            _mm256_sub_pd(_mm256_add_pd(_mm256_sub_pd(_mm256_mul_pd(two, pm), p0x3), _mm256_mul_pd(six, p1)), p2);
        __m256d b = _mm256_add_pd(_mm256_sub_pd(_mm256_mul_pd(three, pm), p0x6), p1x3);
        __m256d c = _mm256_add_pd(_mm256_sub_pd(_mm256_add_pd(_mm256_xor_pd(pm, sign), p0x3), p1x3), p2);
        __m256d v = _mm256_add_pd(p0x6, _mm256_mul_pd(vf, a));
        v = _mm256_add_pd(v, _mm256_mul_pd(vf2, b));
        v = _mm256_add_pd(v, _mm256_mul_pd(vf3, c));
        __m128i i = _mm256_cvttpd_epi32(_mm256_mul_pd(v, sixth));
        __m128i words = _mm_packs_epi32(i, i);
        StoreFour(dst + k, _mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
    }
    for (; k < count; ++k) {
        double v = lagrange(hm[k], h0[k], h1[k], h2[k], f);
        dst[k] = (uint8_t)std::clamp<int64_t>((int64_t)v, 0, 255);
    }
}

}  // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

bool impDecimFastCubic8u(const ImpDecimArgs& a, const DecimAxis& cols, const DecimAxis& rows)
{
    int64_t n = a.dstChannelEnd;
    if (!wideVectorsAvailable() || a.dstChannelStep != 1 || a.srcChannelStep != 1 || n < 1 || n != a.dstPixelStep ||
        n > a.srcPixelStep || a.srcWidthExtent <= 0 || a.srcHeightExtent <= 0 || cols.count < 1)
        return false;
    CubicPlan plan;
    if (!plan.build(a, cols))
        return false;
    int64_t count = plan.samples;
    double* cache[4] = {};
    void* block = impAlignedMalloc(4 * 8 * count + 64);
    if (!block)
        return false;
    for (int m = 0; m < 4; ++m)
        cache[m] = (double*)block + m * count;
    const uint8_t* src = (const uint8_t*)a.src;
    int64_t held = INT64_MIN;  // cache[m] holds the source row at offset held + (m - 1) steps
    for (int64_t i = 0; i < rows.count; ++i) {
        int64_t oy;
        double fy;
        taps(rows.at[i], rows.frac[i], a.srcRowStep, a.srcHeightExtent, &oy, &fy);
        if (oy != held) {
            int64_t moved = held != INT64_MIN && oy > held ? (oy - held) / a.srcRowStep : 4;
            int keep = moved < 4 ? 4 - (int)moved : 0;
            for (int m = 0; m < keep; ++m)
                std::swap(cache[m], cache[m + moved]);
            for (int m = keep; m < 4; ++m)
                across(src + oy + (m - 1) * a.srcRowStep, plan, cache[m]);
            held = oy;
        }
        down((uint8_t*)a.dst + i * a.dstRowStep, count, cache[0], cache[1], cache[2], cache[3], fy);
    }
    impAlignedFree(block);
    return true;
}
