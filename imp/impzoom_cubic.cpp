// Cubic zoom kernels: float horizontal pass into four work rows, vertical pass with rounding down and clamping.
#include <emmintrin.h>

#include <algorithm>
#include <cstring>

#include "imp/impcnv2d_fast.h"
#include "imp/impzoom_cubic_avx2.h"
#include "imp/impzoom_kernels.h"

template <typename T>
static void cubicH(const T* src, int32_t width, int32_t channels, int32_t srcChannels, const int32_t* colTable,
                   const float* colFractions, float* out)
{
    for (int32_t j = 0; j < width; ++j) {
        const T* p = src + colTable[j];
        float t = colFractions[j];
        for (int32_t n = 0; n < channels; ++n)
            *out++ = (float)impCubicValue((float)p[n - srcChannels], (float)p[n], (float)p[n + srcChannels],
                                          (float)p[n + 2 * srcChannels], t);
    }
}

void impZoomCubicH8uPixelRef(const uint8_t* src, int32_t width, int32_t channels, int32_t srcChannels,
                             const int32_t* colTable, const float* colFractions, float* out)
{
    cubicH(src, width, channels, srcChannels, colTable, colFractions, out);
}

void impZoomCubicColumnCoeffs(const float* colFractions, int32_t width, double* coeffs)
{
    for (int32_t j = 0; j < width; ++j) {
        ImpCubicCoeffs k(colFractions[j]);
        coeffs[j] = k.c1;
        coeffs[width + j] = k.c2;
        coeffs[2 * width + j] = k.c3;
    }
}

namespace {

inline __m128i pickHighLow(__m128i a, __m128i b)
{
    return _mm_castpd_si128(_mm_shuffle_pd(_mm_castsi128_pd(a), _mm_castsi128_pd(b), 1));
}

}  // namespace

// Three channels, two pixels per step: lanes hold (pixel j, pixel j + 1) of one channel.
void impZoomCubicH8uPixel(const uint8_t* src, int32_t width, int32_t channels, int32_t srcChannels,
                          const int32_t* colTable, const float* colFractions, const double* colCoeffs, float* out)
{
    if (channels != 3 || srcChannels != 3 || !colCoeffs)
        return cubicH(src, width, channels, srcChannels, colTable, colFractions, out);
    if (impAvx2Available()) {
        int32_t j = impZoomCubicH8u3Avx2(src, width, colTable, colCoeffs, out);
        return cubicH(src, width - j, 3, 3, colTable + j, colFractions + j, out + 3 * j);
    }
    const double *k1 = colCoeffs, *k2 = colCoeffs + width, *k3 = colCoeffs + 2 * width;
    const __m128i zero = _mm_setzero_si128();
    int32_t j = 0;
    for (; j + 1 < width; j += 2) {
        // Bytes q-1, q0 and two of q1 from p - 3; the rest of q1 and q2 from p + 1 (never past what the plain form
        // reads).
        const uint8_t *p = src + colTable[j], *r = src + colTable[j + 1];
        __m128i xp = _mm_unpacklo_epi8(_mm_loadl_epi64((const __m128i*)(p - 3)), zero);
        __m128i yp = _mm_unpacklo_epi8(_mm_loadl_epi64((const __m128i*)(p + 1)), zero);
        __m128i xr = _mm_unpacklo_epi8(_mm_loadl_epi64((const __m128i*)(r - 3)), zero);
        __m128i yr = _mm_unpacklo_epi8(_mm_loadl_epi64((const __m128i*)(r + 1)), zero);
        __m128i r1 = _mm_unpacklo_epi16(xp, xr);  // m0 m1 m2 a0, each (j, j + 1)
        __m128i r2 = _mm_unpackhi_epi16(xp, xr);  // a1 a2 b0 b1
        __m128i r3 = _mm_unpackhi_epi16(yp, yr);  // b2 c0 c1 c2
        __m128i r1l = _mm_unpacklo_epi16(r1, zero), r1h = _mm_unpackhi_epi16(r1, zero);
        __m128i r2l = _mm_unpacklo_epi16(r2, zero), r2h = _mm_unpackhi_epi16(r2, zero);
        __m128i r3l = _mm_unpacklo_epi16(r3, zero), r3h = _mm_unpackhi_epi16(r3, zero);
        // Channels 0 and 1 in four lanes, channel 2 in the low two.
        __m128i m01 = r1l, a01 = pickHighLow(r1h, r2l), b01 = r2h, c01 = pickHighLow(r3l, r3h);
        __m128i m2 = r1h, a2 = _mm_srli_si128(r2l, 8), b2 = r3l, c2 = _mm_srli_si128(r3h, 8);
        auto diffs = [](__m128i m, __m128i a, __m128i b, __m128i c, __m128i d[3]) {
            d[0] = _mm_sub_epi32(a, m);
            d[1] = _mm_sub_epi32(_mm_sub_epi32(b, a), d[0]);
            d[2] = _mm_sub_epi32(_mm_add_epi32(_mm_sub_epi32(c, _mm_add_epi32(b, b)), a), d[1]);
        };
        __m128i d01[3], d2[3];
        diffs(m01, a01, b01, c01, d01);
        diffs(m2, a2, b2, c2, d2);
        __m128d c1 = _mm_loadu_pd(k1 + j), cc2 = _mm_loadu_pd(k2 + j), c3 = _mm_loadu_pd(k3 + j);
        auto evaluate = [&](__m128i m, const __m128i d[3]) {
            __m128d sum = _mm_add_pd(_mm_cvtepi32_pd(m), _mm_mul_pd(c1, _mm_cvtepi32_pd(d[0])));
            sum = _mm_add_pd(sum, _mm_mul_pd(cc2, _mm_cvtepi32_pd(d[1])));
            sum = _mm_add_pd(sum, _mm_mul_pd(c3, _mm_cvtepi32_pd(d[2])));
            return _mm_cvtpd_ps(sum);
        };
        __m128i d1h[3] = {_mm_srli_si128(d01[0], 8), _mm_srli_si128(d01[1], 8), _mm_srli_si128(d01[2], 8)};
        __m128 v0 = evaluate(m01, d01), v1 = evaluate(_mm_srli_si128(m01, 8), d1h), v2 = evaluate(m2, d2);
        __m128 first = _mm_unpacklo_ps(v0, v1);  // r0(j), r1(j), r0(j+1), r1(j+1)
        float* o = out + 3 * j;
        _mm_storel_epi64((__m128i*)o, _mm_castps_si128(first));
        _mm_store_ss(o + 2, v2);
        _mm_storel_epi64((__m128i*)(o + 3), _mm_castps_si128(_mm_movehl_ps(first, first)));
        _mm_store_ss(o + 5, _mm_shuffle_ps(v2, v2, 1));
    }
    if (j < width)
        cubicH(src, width - j, 3, 3, colTable + j, colFractions + j, out + 3 * j);
}

template <typename T, int Max>
static inline T cubicStore(double v)
{
    int32_t i = impFloorEps(v);
    return (T)std::clamp(i, 0, Max);
}

void impZoomCubicV8uRef(uint8_t* dst, int32_t count, float t, const float* q0, const float* q1, const float* q2,
                        const float* q3)
{
    ImpCubicCoeffs k(t);
    for (int32_t i = 0; i < count; ++i)
        dst[i] = cubicStore<uint8_t, 255>(impCubicApply(k, q0[i], q1[i], q2[i], q3[i]));
}

// Two values per double vector, with the differences rounded to single precision as the plain form does.
// q0 - q-1 is formed in single precision directly: one rounding of the exact difference either way.
void impZoomCubicV8u(uint8_t* dst, int32_t count, float t, const float* q0, const float* q1, const float* q2,
                     const float* q3)
{
    ImpCubicCoeffs k(t);
    int32_t i = 0;
    if (impAvx2Available())
        i = impZoomCubicV8uAvx2(dst, count, k.c1, k.c2, k.c3, q0, q1, q2, q3);
    const __m128d c1 = _mm_set1_pd(k.c1), c2 = _mm_set1_pd(k.c2), c3 = _mm_set1_pd(k.c3);
    const __m128d bias = _mm_set1_pd(0.00001), half = _mm_set1_pd(0.5);
    auto toSingle = [](__m128d v) { return _mm_cvtps_pd(_mm_cvtpd_ps(v)); };
    auto evaluate = [&](__m128d m, __m128d a, __m128d b, __m128d c, __m128d d1) {
        __m128d d2 = toSingle(_mm_sub_pd(_mm_sub_pd(b, a), d1));
        __m128d d3 = toSingle(_mm_sub_pd(_mm_add_pd(_mm_sub_pd(c, _mm_add_pd(b, b)), a), d2));
        __m128d sum = _mm_add_pd(m, _mm_mul_pd(c1, d1));
        sum = _mm_add_pd(sum, _mm_mul_pd(c2, d2));
        sum = _mm_add_pd(sum, _mm_mul_pd(c3, d3));
        return _mm_cvtpd_epi32(_mm_sub_pd(_mm_add_pd(sum, bias), half));
    };
    auto high = [](__m128 v) { return _mm_cvtps_pd(_mm_movehl_ps(v, v)); };
    for (; i + 4 <= count; i += 4) {
        __m128 m = _mm_loadu_ps(q0 + i), a = _mm_loadu_ps(q1 + i), b = _mm_loadu_ps(q2 + i), c = _mm_loadu_ps(q3 + i);
        __m128 d1 = _mm_sub_ps(a, m);
        __m128i lo = evaluate(_mm_cvtps_pd(m), _mm_cvtps_pd(a), _mm_cvtps_pd(b), _mm_cvtps_pd(c), _mm_cvtps_pd(d1));
        __m128i hi = evaluate(high(m), high(a), high(b), high(c), high(d1));
        // Saturating packs clamp to 0..255; an out-of-range conversion gives the lowest integer, hence 0.
        __m128i v = _mm_packs_epi32(_mm_unpacklo_epi64(lo, hi), _mm_setzero_si128());
        int32_t word = _mm_cvtsi128_si32(_mm_packus_epi16(v, v));
        memcpy(dst + i, &word, 4);
    }
    impZoomCubicV8uRef(dst + i, count - i, t, q0 + i, q1 + i, q2 + i, q3 + i);
}

namespace {

template <typename T, bool Planar>
void cubicRun(const ImpZoomRun& run)
{
    constexpr int kMax = sizeof(T) == 1 ? 255 : 65535;
    int32_t planes = Planar ? run.channels : 1;
    int32_t nv = Planar ? 1 : run.channels;
    int32_t srcCh = Planar ? 1 : run.srcChannels;
    int32_t dstCh = Planar ? 1 : run.dstChannels;
    auto filter = [&](const T* row, float* out) {
        if constexpr (sizeof(T) == 1)
            impZoomCubicH8uPixel(row, run.width, nv, srcCh, run.colTable, run.colFractions, run.colCoeffs, out);
        else
            cubicH(row, run.width, nv, srcCh, run.colTable, run.colFractions, out);
    };
    for (int32_t p = 0; p < planes; ++p) {
        const T* src = (const T*)run.src + (Planar ? p * run.srcPlane : 0);
        T* dst = (T*)run.dst + (Planar ? p * run.dstPlane : 0);
        float* rows[4] = {(float*)run.work[0], (float*)run.work[1], (float*)run.work[2], (float*)run.work[3]};
        // rows[m] holds source row held + (m - 1) steps; the three below the first sample row are filtered ahead.
        int64_t s = run.srcStep, r0 = run.rowTable[0];
        filter(src + r0 - s, rows[1]);
        filter(src + r0, rows[2]);
        filter(src + r0 + s, rows[3]);
        int64_t held = r0 - s;
        const unsigned char* maskRow = run.mask;
        for (int32_t k = 0; k < run.height; ++k) {
            int64_t r = run.rowTable[k];
            if (r != held) {
                // Rows still wanted move up by the number of source rows stepped; only the new ones are filtered.
                int64_t moved = r > held && s > 0 ? (r - held) / s : 4;
                int keep = moved < 4 ? 4 - (int)moved : 0;
                for (int i = 0; i < keep; ++i)
                    std::swap(rows[i], rows[i + (int)moved]);
                for (int m = keep; m < 4; ++m)
                    filter(src + r + (m - 1) * s, rows[m]);
                held = r;
            }
            float t = run.rowFractions[k];
            ImpCubicCoeffs coeffs(t);
            T* drow = dst + k * run.dstStep;
            if (!maskRow && nv == dstCh && sizeof(T) == 1) {
                impZoomCubicV8u((uint8_t*)drow, run.width * nv, t, rows[0], rows[1], rows[2], rows[3]);
                continue;
            }
            for (int32_t j = 0; j < run.width; ++j) {
                if (maskRow && !impZoomMaskBit(maskRow, run.maskBit + j))
                    continue;
                for (int32_t n = 0; n < nv; ++n) {
                    int32_t i = j * nv + n;
                    drow[j * dstCh + n] =
                        cubicStore<T, kMax>(impCubicApply(coeffs, rows[0][i], rows[1][i], rows[2][i], rows[3][i]));
                }
            }
            if (maskRow)
                maskRow += run.maskStep;
        }
    }
}

}  // namespace

void impZoomCubic8uPixel(const ImpZoomRun& run) { cubicRun<uint8_t, false>(run); }
void impZoomCubic8uPlanar(const ImpZoomRun& run) { cubicRun<uint8_t, true>(run); }
void impZoomCubic16uPixel(const ImpZoomRun& run) { cubicRun<uint16_t, false>(run); }
void impZoomCubic16uPlanar(const ImpZoomRun& run) { cubicRun<uint16_t, true>(run); }
