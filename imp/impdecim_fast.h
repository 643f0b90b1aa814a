// Table-driven forms of the 8-bit decimation routines for pixel-order images: the same samples, bit for bit.
#pragma once

#include <cstdint>
#include <cstring>

#include "imp/impdecim_rows.h"

// Stores four packed bytes at any address (destination rows need not be aligned).
inline void StoreFour(uint8_t* dst, int32_t bytes) { std::memcpy(dst, &bytes, sizeof bytes); }

// Where an area of the destination samples its source. Columns and rows are found by the plain routines'
// running sums, so the fast forms read the same samples; `at` is the source index of each column or row and
// `frac` what is left over (position - index).
struct DecimAxis {
    int64_t count = 0;
    int64_t* at = nullptr;
    double* frac = nullptr;
    double end = 0;  // the position after the last
    DecimAxis() = default;
    DecimAxis(const DecimAxis&) = delete;
    DecimAxis& operator=(const DecimAxis&) = delete;
    ~DecimAxis();
    // count positions from start, ratio apart; false when memory runs out.
    bool build(int64_t n, double start, float ratio);
};

// Each form returns false, having written nothing, when the area is outside what it handles; the plain
// loops run then. Pixel order only (channel steps of 1); all but the nearest form also need the processed
// channels to fill each destination pixel. The nearest form turns the column indices into byte offsets.
bool impDecimFastNearest8u(const ImpDecimArgs& a, DecimAxis& cols, const DecimAxis& rows);
// Bilinear inside the area (no first-row or first-column rules).
bool impDecimFastLinear8u(const ImpDecimArgs& a, const DecimAxis& cols, const DecimAxis& rows);
// Area average over windows of exactly 2 x 2 source pixels, from whole-pixel positions x0 and y0, all inside
// the source.
bool impDecimFastSuperHalf8u(const ImpDecimArgs& a, int64_t x0, int64_t y0, int64_t cols, int64_t rows);
// Area average where every window edge falls on a whole 64th of a pixel, from positions x0 and y0; gives the
// positions after the last column and row.
bool impDecimFastSuper8u(const ImpDecimArgs& a, double x0, double y0, double* xEnd, double* yEnd);
// Bicubic inside the area (no first-row or first-column rules).
bool impDecimFastCubic8u(const ImpDecimArgs& a, const DecimAxis& cols, const DecimAxis& rows);
