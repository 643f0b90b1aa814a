// The row kernel eight elements at a time with SSE2 multiply-adds of paired taps.
#include <emmintrin.h>

#include "imp/impcnv2d_fast_vec.h"

namespace {

// Eight result bytes, or with a mask only those whose mask byte is 0xFF.
inline void store8(uint8_t* dst, __m128i bytes, const uint8_t* mask)
{
    if (mask) {
        __m128i m = _mm_loadl_epi64((const __m128i*)mask);
        bytes = _mm_or_si128(_mm_and_si128(m, bytes), _mm_andnot_si128(m, _mm_loadl_epi64((const __m128i*)dst)));
    }
    _mm_storel_epi64((__m128i*)dst, bytes);
}

}  // namespace

void convRowKernelSse2(const uint8_t* win, int64_t srcStep, uint8_t* dst, int32_t count, const ImpFastKernel& kernel,
                       const uint8_t* mask)
{
    ImpTapPairs taps(srcStep, kernel);
    const __m128i zero = _mm_setzero_si128(), shift = _mm_cvtsi32_si128(kernel.shiftRight);
    int32_t k = 0;
    for (; kernel.sums16 && k + 8 <= count; k += 8) {
        __m128i sum = zero;
        for (int32_t t = 0; t < taps.taps; ++t) {
            __m128i a = _mm_unpacklo_epi8(_mm_loadl_epi64((const __m128i*)(win + k + taps.offsets[t])), zero);
            sum = _mm_add_epi16(sum, _mm_mullo_epi16(a, _mm_set1_epi16(kernel.weights[t])));
        }
        sum = _mm_sra_epi16(sum, shift);
        store8(dst + k, _mm_packus_epi16(sum, sum), mask ? mask + k : nullptr);
    }
    for (; k + 8 <= count; k += 8) {
        __m128i lo = zero, hi = zero;
        for (int32_t p = 0; p < taps.count; ++p) {
            __m128i a = _mm_unpacklo_epi8(_mm_loadl_epi64((const __m128i*)(win + k + taps.first[p])), zero);
            __m128i b = _mm_unpacklo_epi8(_mm_loadl_epi64((const __m128i*)(win + k + taps.second[p])), zero);
            __m128i w = _mm_set1_epi32(taps.weights[p]);
            lo = _mm_add_epi32(lo, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), w));
            hi = _mm_add_epi32(hi, _mm_madd_epi16(_mm_unpackhi_epi16(a, b), w));
        }
        __m128i words = _mm_packs_epi32(_mm_sra_epi32(lo, shift), _mm_sra_epi32(hi, shift));
        store8(dst + k, _mm_packus_epi16(words, words), mask ? mask + k : nullptr);
    }
    convRowKernelRef(win + k, srcStep, dst + k, count - k, kernel, mask ? mask + k : nullptr);
}
