// Float-to-integer sample conversion (nearest, ties to even, saturating) and the rounded integer square root.
#pragma once

#include <cstdint>

// Nearest integer, ties to even, whatever the rounding mode.
double impRoundEven(double x);
// A float result as a sample of the depth: rounded, saturated; infinities and NaNs saturate by their sign bit.
// 1-bit samples: below 0 gives 0, from 1 up gives 1, between them the rounded value (0.5 gives 0).
int64_t impFloatToSample(float x, int32_t depth);
// Square root of a non-negative value rounded to the nearest integer.
int64_t impRoundedSqrt(int64_t v);
// count floats to samples of bits 8, 16 or 32 (flags bit 0x800 set: unsigned) at every stride-th element of dst;
// other widths do nothing.
void impConvertFloatRow(const float* src, void* dst, int32_t stride, int32_t count, int32_t bits, int32_t flags);
