// Cubic zoom passes for processors with AVX2; each returns how many leading values or pixels it did.
#pragma once

#include <cstdint>

// Three-channel horizontal pass: whole groups of four pixels.
int32_t impZoomCubicH8u3Avx2(const uint8_t* src, int32_t width, const int32_t* colTable, const double* colCoeffs,
                             float* out);
// Vertical pass with the coefficients of the row: whole groups of eight values.
int32_t impZoomCubicV8uAvx2(uint8_t* dst, int32_t count, double c1, double c2, double c3, const float* q0,
                            const float* q1, const float* q2, const float* q3);
