// Cubic zoom passes four doubles at a time with AVX2: the same operations in the same order as the plain forms.
#include <immintrin.h>

#include <cstring>

#include "imp/impzoom_cubic_avx2.h"

#define IMP_AVX2 __attribute__((target("avx2")))

namespace {

// qm + c1*d1 + c2*d2 + c3*d3 in double, summed left to right.
IMP_AVX2 inline __m256d cubicSum(__m256d qm, __m256d c1, __m256d d1, __m256d c2, __m256d d2, __m256d c3, __m256d d3)
{
    __m256d sum = _mm256_add_pd(qm, _mm256_mul_pd(c1, d1));
    sum = _mm256_add_pd(sum, _mm256_mul_pd(c2, d2));
    return _mm256_add_pd(sum, _mm256_mul_pd(c3, d3));
}

IMP_AVX2 inline __m256d toSingle(__m256d v) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(v)); }

// Four destination values, floor(v + 0.00001) as a rounding to nearest, not yet clamped.
IMP_AVX2 inline __m128i verticalFour(const float* q0, const float* q1, const float* q2, const float* q3, __m256d k1,
                                     __m256d k2, __m256d k3)
{
    __m128 mf = _mm_loadu_ps(q0), af = _mm_loadu_ps(q1);
    __m256d m = _mm256_cvtps_pd(mf), a = _mm256_cvtps_pd(af);
    __m256d b = _mm256_cvtps_pd(_mm_loadu_ps(q2)), c = _mm256_cvtps_pd(_mm_loadu_ps(q3));
    __m256d d1 = _mm256_cvtps_pd(_mm_sub_ps(af, mf));
    __m256d d2 = toSingle(_mm256_sub_pd(_mm256_sub_pd(b, a), d1));
    __m256d d3 = toSingle(_mm256_sub_pd(_mm256_add_pd(_mm256_sub_pd(c, _mm256_add_pd(b, b)), a), d2));
    __m256d sum = cubicSum(m, k1, d1, k2, d2, k3, d3);
    return _mm256_cvtpd_epi32(_mm256_sub_pd(_mm256_add_pd(sum, _mm256_set1_pd(0.00001)), _mm256_set1_pd(0.5)));
}

// Four bytes widened to 32-bit lanes.
IMP_AVX2 inline __m128i bytesAt(const uint8_t* p)
{
    int32_t v;
    std::memcpy(&v, p, 4);
    return _mm_cvtepu8_epi32(_mm_cvtsi32_si128(v));
}

// The three channels of one pixel in the low lanes; its taps are whole numbers, so their differences are exact in
// 32-bit lanes.
IMP_AVX2 inline __m128 horizontalPixel(const uint8_t* p, double c1, double c2, double c3)
{
    // Four bytes from each tap's first channel; the last tap's start one byte early and moved down a lane, so that
    // no byte is read that the plain form does not read.
    __m128i m = bytesAt(p - 3), a = bytesAt(p), b = bytesAt(p + 3), c = _mm_srli_si128(bytesAt(p + 5), 4);
    __m128i d1 = _mm_sub_epi32(a, m);
    __m128i d2 = _mm_sub_epi32(_mm_sub_epi32(b, a), d1);
    __m128i d3 = _mm_sub_epi32(_mm_add_epi32(_mm_sub_epi32(c, _mm_add_epi32(b, b)), a), d2);
    return _mm256_cvtpd_ps(cubicSum(_mm256_cvtepi32_pd(m), _mm256_set1_pd(c1), _mm256_cvtepi32_pd(d1),
                                    _mm256_set1_pd(c2), _mm256_cvtepi32_pd(d2), _mm256_set1_pd(c3),
                                    _mm256_cvtepi32_pd(d3)));
}

}  // namespace

// Four pixels per step, their twelve values gathered into three stores.
IMP_AVX2 int32_t impZoomCubicH8u3Avx2(const uint8_t* src, int32_t width, const int32_t* colTable,
                                      const double* colCoeffs, float* out)
{
    const double *k1 = colCoeffs, *k2 = colCoeffs + width, *k3 = colCoeffs + 2 * width;
    int32_t j = 0;
    for (; j + 4 <= width; j += 4, out += 12) {
        __m128 v0 = horizontalPixel(src + colTable[j], k1[j], k2[j], k3[j]);
        __m128 v1 = horizontalPixel(src + colTable[j + 1], k1[j + 1], k2[j + 1], k3[j + 1]);
        __m128 v2 = horizontalPixel(src + colTable[j + 2], k1[j + 2], k2[j + 2], k3[j + 2]);
        __m128 v3 = horizontalPixel(src + colTable[j + 3], k1[j + 3], k2[j + 3], k3[j + 3]);
        __m128 o0 = _mm_blend_ps(v0, _mm_shuffle_ps(v1, v1, 0), 8);
        __m128 o1 = _mm_shuffle_ps(v1, v2, _MM_SHUFFLE(1, 0, 2, 1));
        __m128 o2 = _mm_blend_ps(_mm_shuffle_ps(v3, v3, _MM_SHUFFLE(2, 1, 0, 0)),
                                 _mm_shuffle_ps(v2, v2, _MM_SHUFFLE(2, 2, 2, 2)), 1);
        _mm_storeu_ps(out, o0);
        _mm_storeu_ps(out + 4, o1);
        _mm_storeu_ps(out + 8, o2);
    }
    return j;
}

// Eight values per step: differences rounded to single precision as the plain form does, the first formed in single
// precision directly (one rounding of the exact difference either way).
IMP_AVX2 int32_t impZoomCubicV8uAvx2(uint8_t* dst, int32_t count, double c1, double c2, double c3, const float* q0,
                                     const float* q1, const float* q2, const float* q3)
{
    const __m256d k1 = _mm256_set1_pd(c1), k2 = _mm256_set1_pd(c2), k3 = _mm256_set1_pd(c3);
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        __m128i lo = verticalFour(q0 + i, q1 + i, q2 + i, q3 + i, k1, k2, k3);
        __m128i hi = verticalFour(q0 + i + 4, q1 + i + 4, q2 + i + 4, q3 + i + 4, k1, k2, k3);
        // Saturating packs clamp to 0..255; an out-of-range conversion gives the lowest integer, hence 0.
        __m128i words = _mm_packs_epi32(lo, hi);
        _mm_storel_epi64((__m128i*)(dst + i), _mm_packus_epi16(words, words));
    }
    return i;
}
