// The row kernel sixteen elements at a time with AVX2, in 16-bit lanes or by multiply-adds of paired taps; run only
// where available.
#include <immintrin.h>

#include "imp/impcnv2d_fast_vec.h"

#define IMP_AVX2 __attribute__((target("avx2")))

namespace {

// The low sixteen result bytes, or with a mask only those whose mask byte is 0xFF.
IMP_AVX2 inline void store16(uint8_t* dst, __m256i bytes, const uint8_t* mask)
{
    __m128i out = _mm256_castsi256_si128(bytes);
    if (mask) {
        __m128i m = _mm_loadu_si128((const __m128i*)mask);
        out = _mm_or_si128(_mm_and_si128(m, out), _mm_andnot_si128(m, _mm_loadu_si128((const __m128i*)dst)));
    }
    _mm_storeu_si128((__m128i*)dst, out);
}

IMP_AVX2 inline __m256i words(const uint8_t* p) { return _mm256_cvtepu8_epi16(_mm_loadu_si128((const __m128i*)p)); }

// Blocks of 16 summed in 16-bit lanes over N taps; returns the elements done.
template <int N>
IMP_AVX2 int32_t blocks16(const uint8_t* win, uint8_t* dst, int32_t count, const ImpTapPairs& taps,
                          const ImpFastKernel& kernel, const uint8_t* mask)
{
    __m256i w[N];
    for (int t = 0; t < N; ++t)
        w[t] = _mm256_set1_epi16(kernel.weights[t]);
    const __m128i shift = _mm_cvtsi32_si128(kernel.shiftRight);
    int32_t k = 0;
    for (; k + 16 <= count; k += 16) {
        __m256i sum = _mm256_mullo_epi16(words(win + k + taps.offsets[0]), w[0]);
        for (int t = 1; t < N; ++t)
            sum = _mm256_add_epi16(sum, _mm256_mullo_epi16(words(win + k + taps.offsets[t]), w[t]));
        sum = _mm256_sra_epi16(sum, shift);
        store16(dst + k, _mm256_permute4x64_epi64(_mm256_packus_epi16(sum, sum), 0x08), mask ? mask + k : nullptr);
    }
    return k;
}

// Blocks of 16 summed in 32-bit lanes over P pairs of taps; returns the elements done.
template <int P>
IMP_AVX2 int32_t blocks32(const uint8_t* win, uint8_t* dst, int32_t count, const ImpTapPairs& taps,
                          const ImpFastKernel& kernel, const uint8_t* mask)
{
    __m256i w[P];
    for (int p = 0; p < P; ++p)
        w[p] = _mm256_set1_epi32(taps.weights[p]);
    const __m128i shift = _mm_cvtsi32_si128(kernel.shiftRight);
    int32_t k = 0;
    for (; k + 16 <= count; k += 16) {
        __m256i lo = _mm256_setzero_si256(), hi = _mm256_setzero_si256();
        for (int p = 0; p < P; ++p) {
            __m256i a = words(win + k + taps.first[p]), b = words(win + k + taps.second[p]);
            lo = _mm256_add_epi32(lo, _mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), w[p]));
            hi = _mm256_add_epi32(hi, _mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), w[p]));
        }
        // The in-lane unpacks and packs cancel out: words come back in element order.
        __m256i sum = _mm256_packs_epi32(_mm256_sra_epi32(lo, shift), _mm256_sra_epi32(hi, shift));
        store16(dst + k, _mm256_permute4x64_epi64(_mm256_packus_epi16(sum, sum), 0x08), mask ? mask + k : nullptr);
    }
    return k;
}

}  // namespace

IMP_AVX2 void convRowKernelAvx2(const uint8_t* win, int64_t srcStep, uint8_t* dst, int32_t count,
                                const ImpFastKernel& kernel, const uint8_t* mask)
{
    ImpTapPairs taps(srcStep, kernel);
    int32_t k;
    if (kernel.size == 3)
        k = kernel.sums16 ? blocks16<9>(win, dst, count, taps, kernel, mask)
                          : blocks32<5>(win, dst, count, taps, kernel, mask);
    else
        k = kernel.sums16 ? blocks16<25>(win, dst, count, taps, kernel, mask)
                          : blocks32<13>(win, dst, count, taps, kernel, mask);
    convRowKernelSse2(win + k, srcStep, dst + k, count - k, kernel, mask ? mask + k : nullptr);
}
