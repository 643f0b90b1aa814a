// The row kernel sixteen elements at a time with AVX2, in signed or unsigned 16-bit lanes or by multiply-adds of
// paired taps; run only where available.
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

// Blocks of 16 summed in unsigned 16-bit lanes over N taps, for weights that are none negative and whose sum times
// 255 fits 16 bits: no sum can wrap, and the shift of an unsigned sum is the shift of the exact one. Returns the
// elements done.
template <int N>
IMP_AVX2 int32_t blocksU16(const uint8_t* win, uint8_t* dst, int32_t count, const ImpTapPairs& taps,
                           const ImpFastKernel& kernel, const uint8_t* mask)
{
    __m256i w[N];
    for (int t = 0; t < N; ++t)
        w[t] = _mm256_set1_epi16(kernel.weights[t]);
    const __m128i shift = _mm_cvtsi32_si128(kernel.shiftRight);
    const __m256i top = _mm256_set1_epi16(255);
    int32_t k = 0;
    for (; k + 16 <= count; k += 16) {
        __m256i sum = _mm256_mullo_epi16(words(win + k + taps.offsets[0]), w[0]);
        for (int t = 1; t < N; ++t)
            sum = _mm256_add_epi16(sum, _mm256_mullo_epi16(words(win + k + taps.offsets[t]), w[t]));
        sum = _mm256_min_epu16(_mm256_srl_epi16(sum, shift), top);
        store16(dst + k, _mm256_permute4x64_epi64(_mm256_packus_epi16(sum, sum), 0x08), mask ? mask + k : nullptr);
    }
    return k;
}

// Blocks of 32 for the same weights when each also fits a signed byte and every pair's products fit a signed 16-bit
// lane: byte multiply-adds of two interleaved taps, summed in unsigned 16-bit lanes. Returns the elements done.
template <int P>
IMP_AVX2 int32_t blocksBytePairs(const uint8_t* win, uint8_t* dst, int32_t count, const ImpTapPairs& taps,
                                 const ImpFastKernel& kernel, const uint8_t* mask)
{
    __m256i w[P];
    for (int p = 0; p < P; ++p)
        w[p] = _mm256_set1_epi16((int16_t)(((taps.weights[p] >> 16) << 8) | (taps.weights[p] & 0xFF)));
    const __m128i shift = _mm_cvtsi32_si128(kernel.shiftRight);
    const __m256i top = _mm256_set1_epi16(255);
    int32_t k = 0;
    for (; k + 32 <= count; k += 32) {
        __m256i lo = _mm256_setzero_si256(), hi = _mm256_setzero_si256();
        for (int p = 0; p < P; ++p) {
            __m256i a = _mm256_loadu_si256((const __m256i*)(win + k + taps.first[p]));
            __m256i b = _mm256_loadu_si256((const __m256i*)(win + k + taps.second[p]));
            lo = _mm256_add_epi16(lo, _mm256_maddubs_epi16(_mm256_unpacklo_epi8(a, b), w[p]));
            hi = _mm256_add_epi16(hi, _mm256_maddubs_epi16(_mm256_unpackhi_epi8(a, b), w[p]));
        }
        // Each lane holds its eight low sums in lo and eight high ones in hi: the pack puts them back in order.
        lo = _mm256_min_epu16(_mm256_srl_epi16(lo, shift), top);
        hi = _mm256_min_epu16(_mm256_srl_epi16(hi, shift), top);
        __m256i bytes = _mm256_packus_epi16(lo, hi);
        if (mask) {
            __m256i m = _mm256_loadu_si256((const __m256i*)(mask + k));
            bytes = _mm256_or_si256(_mm256_and_si256(m, bytes),
                                    _mm256_andnot_si256(m, _mm256_loadu_si256((const __m256i*)(dst + k))));
        }
        _mm256_storeu_si256((__m256i*)(dst + k), bytes);
    }
    return k;
}

// Whether the weights suit the byte multiply-adds: each 0 .. 127, each pair's sum times 255 within 32767.
bool bytePairs(const ImpTapPairs& taps)
{
    for (int32_t p = 0; p < taps.count; ++p) {
        int32_t a = (int16_t)(taps.weights[p] & 0xFFFF), b = (int16_t)(taps.weights[p] >> 16);
        if (a < 0 || b < 0 || a > 127 || b > 127 || (a + b) * 255 > 32767)
            return false;
    }
    return true;
}

// Whether every weight is 0 or more and 255 times their sum fits an unsigned 16-bit lane.
bool unsignedSums(const ImpFastKernel& kernel)
{
    int32_t total = 0;
    for (int32_t t = 0; t < kernel.size * kernel.size; ++t) {
        if (kernel.weights[t] < 0)
            return false;
        total += kernel.weights[t];
    }
    return total * 255 <= 65535;
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
    if (!kernel.sums16 && unsignedSums(kernel)) {
        k = 0;
        if (bytePairs(taps))
            k = kernel.size == 3 ? blocksBytePairs<5>(win, dst, count, taps, kernel, mask)
                                 : blocksBytePairs<13>(win, dst, count, taps, kernel, mask);
        int32_t n = count - k;
        const uint8_t* m = mask ? mask + k : nullptr;
        k += kernel.size == 3 ? blocksU16<9>(win + k, dst + k, n, taps, kernel, m)
                              : blocksU16<25>(win + k, dst + k, n, taps, kernel, m);
    } else if (kernel.size == 3)
        k = kernel.sums16 ? blocks16<9>(win, dst, count, taps, kernel, mask)
                          : blocks32<5>(win, dst, count, taps, kernel, mask);
    else
        k = kernel.sums16 ? blocks16<25>(win, dst, count, taps, kernel, mask)
                          : blocks32<13>(win, dst, count, taps, kernel, mask);
    convRowKernelSse2(win + k, srcStep, dst + k, count - k, kernel, mask ? mask + k : nullptr);
}
