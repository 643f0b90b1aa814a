// The row kernel sixteen elements at a time with AVX2 multiply-adds of paired taps; run only where available.
#include <immintrin.h>

#include "imp/impcnv2d_fast_vec.h"

namespace {

// The low sixteen result bytes, or with a mask only those whose mask byte is 0xFF.
__attribute__((target("avx2"))) inline void store16(uint8_t* dst, __m256i bytes, const uint8_t* mask) {
  __m128i out = _mm256_castsi256_si128(bytes);
  if (mask) {
    __m128i m = _mm_loadu_si128((const __m128i*)mask);
    out = _mm_or_si128(_mm_and_si128(m, out), _mm_andnot_si128(m, _mm_loadu_si128((const __m128i*)dst)));
  }
  _mm_storeu_si128((__m128i*)dst, out);
}

}  // namespace

__attribute__((target("avx2"))) void convRowKernelAvx2(const uint8_t* win, int64_t srcStep, uint8_t* dst,
                                                       int32_t count, const ImpFastKernel& kernel,
                                                       const uint8_t* mask) {
  ImpTapPairs taps(srcStep, kernel);
  const __m128i shift = _mm_cvtsi32_si128(kernel.shiftRight);
  int32_t k = 0;
  for (; kernel.sums16 && k + 16 <= count; k += 16) {
    __m256i sum = _mm256_setzero_si256();
    for (int32_t t = 0; t < taps.taps; ++t) {
      __m256i a = _mm256_cvtepu8_epi16(_mm_loadu_si128((const __m128i*)(win + k + taps.offsets[t])));
      sum = _mm256_add_epi16(sum, _mm256_mullo_epi16(a, _mm256_set1_epi16(kernel.weights[t])));
    }
    sum = _mm256_sra_epi16(sum, shift);
    store16(dst + k, _mm256_permute4x64_epi64(_mm256_packus_epi16(sum, sum), 0x08), mask ? mask + k : nullptr);
  }
  for (; k + 16 <= count; k += 16) {
    __m256i lo = _mm256_setzero_si256(), hi = _mm256_setzero_si256();
    for (int32_t p = 0; p < taps.count; ++p) {
      __m256i a = _mm256_cvtepu8_epi16(_mm_loadu_si128((const __m128i*)(win + k + taps.first[p])));
      __m256i b = _mm256_cvtepu8_epi16(_mm_loadu_si128((const __m128i*)(win + k + taps.second[p])));
      __m256i w = _mm256_set1_epi32(taps.weights[p]);
      lo = _mm256_add_epi32(lo, _mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), w));
      hi = _mm256_add_epi32(hi, _mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), w));
    }
    // The in-lane unpacks and packs cancel out: words come back in element order.
    __m256i words = _mm256_packs_epi32(_mm256_sra_epi32(lo, shift), _mm256_sra_epi32(hi, shift));
    store16(dst + k, _mm256_permute4x64_epi64(_mm256_packus_epi16(words, words), 0x08), mask ? mask + k : nullptr);
  }
  convRowKernelSse2(win + k, srcStep, dst + k, count - k, kernel, mask ? mask + k : nullptr);
}
