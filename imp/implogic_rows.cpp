// Byte runs of the logical operations: 16-byte vectors, or 32-byte ones where the processor has AVX2.
#include "imp/implogic_rows.h"

#include <immintrin.h>

namespace implogic {

namespace {

bool wideVectorsAvailable()
{
    static const bool available = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
    return available;
}

// Whole 16-byte vectors from the start, the second operand from second(offset); returns the bytes done.
template <typename Op, typename Second>
int64_t narrowRun(const unsigned char* a, unsigned char* d, int64_t n, Second second)
{
    auto one = [&](int64_t at) {
        __m128i va = _mm_loadu_si128((const __m128i*)(a + at));
        _mm_storeu_si128((__m128i*)(d + at), Op::template apply<__m128i>(va, second(at)));
    };
    int64_t i = 0;
    for (; i + 64 <= n; i += 64) {
        one(i);
        one(i + 16);
        one(i + 32);
        one(i + 48);
    }
    for (; i + 16 <= n; i += 16)
        one(i);
    return i;
}

template <typename Op>
int64_t narrow(const unsigned char* a, const unsigned char* b, unsigned char* d, int64_t n, uint32_t pattern)
{
    if (b)
        return narrowRun<Op>(a, d, n, [b](int64_t at) { return _mm_loadu_si128((const __m128i*)(b + at)); });
    const __m128i wide = _mm_set1_epi32((int32_t)pattern);
    return narrowRun<Op>(a, d, n, [wide](int64_t) { return wide; });
}

}  // namespace

}  // namespace implogic

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace implogic {

namespace {

inline __m256i wideOp(AndOp, __m256i a, __m256i b) { return _mm256_and_si256(a, b); }
inline __m256i wideOp(OrOp, __m256i a, __m256i b) { return _mm256_or_si256(a, b); }
inline __m256i wideOp(XorOp, __m256i a, __m256i b) { return _mm256_xor_si256(a, b); }

// Whole 32-byte vectors from the start, four a step where the run allows; returns the bytes done.
template <typename Op, typename Second>
int64_t wideRun(const unsigned char* a, unsigned char* d, int64_t n, Second second)
{
    auto one = [&](int64_t at) {
        __m256i va = _mm256_loadu_si256((const __m256i*)(a + at));
        _mm256_storeu_si256((__m256i*)(d + at), wideOp(Op(), va, second(at)));
    };
    int64_t i = 0;
    for (; i + 128 <= n; i += 128) {
        one(i);
        one(i + 32);
        one(i + 64);
        one(i + 96);
    }
    for (; i + 32 <= n; i += 32)
        one(i);
    return i;
}

template <typename Op>
int64_t wide(const unsigned char* a, const unsigned char* b, unsigned char* d, int64_t n, uint32_t pattern)
{
    if (b)
        return wideRun<Op>(a, d, n, [b](int64_t at) { return _mm256_loadu_si256((const __m256i*)(b + at)); });
    const __m256i repeated = _mm256_set1_epi32((int32_t)pattern);
    return wideRun<Op>(a, d, n, [repeated](int64_t) { return repeated; });
}

}  // namespace

}  // namespace implogic

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

namespace implogic {

template <typename Op>
void bytes(const unsigned char* a, const unsigned char* b, unsigned char* d, int64_t n, uint32_t pattern)
{
    int64_t i = wideVectorsAvailable() ? wide<Op>(a, b, d, n, pattern) : narrow<Op>(a, b, d, n, pattern);
    for (; i < n; ++i)
        d[i] = Op::apply(a[i], b ? b[i] : (unsigned char)(pattern >> 8 * (i & 3)));
}

template void bytes<AndOp>(const unsigned char*, const unsigned char*, unsigned char*, int64_t, uint32_t);
template void bytes<OrOp>(const unsigned char*, const unsigned char*, unsigned char*, int64_t, uint32_t);
template void bytes<XorOp>(const unsigned char*, const unsigned char*, unsigned char*, int64_t, uint32_t);

}  // namespace implogic
