// The row kernel eight elements at a time with SSE2 multiply-adds of paired taps.
#include <emmintrin.h>

#include "imp/impcnv2d_fast_vec.h"

void convRowKernelSse2(const uint8_t* win, int64_t srcStep, uint8_t* dst, int32_t count, const ImpFastKernel& kernel,
                       const uint8_t* mask) {
  ImpTapPairs taps(srcStep, kernel);
  const __m128i zero = _mm_setzero_si128(), shift = _mm_cvtsi32_si128(kernel.shiftRight);
  int32_t k = 0;
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
    __m128i bytes = _mm_packus_epi16(words, words);
    if (mask) {
      __m128i m = _mm_loadl_epi64((const __m128i*)(mask + k));
      __m128i old = _mm_loadl_epi64((const __m128i*)(dst + k));
      bytes = _mm_or_si128(_mm_and_si128(m, bytes), _mm_andnot_si128(m, old));
    }
    _mm_storel_epi64((__m128i*)(dst + k), bytes);
  }
  convRowKernelRef(win + k, srcStep, dst + k, count - k, kernel, mask ? mask + k : nullptr);
}
