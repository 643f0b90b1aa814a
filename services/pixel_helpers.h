// Byte and pixel-row helpers: colour tolerance, fills, multiply and blends.
#pragma once

#include "kernel/windef.h"

// 1 when each of the red, green and blue bytes differs by at most tolerance.
BOOL ColoursNear(COLORREF a, COLORREF b, int tolerance);

// Writes count / 8 blocks of eight copies of value; the remainder is not written.
void FillBytes8(BYTE* dst, BYTE value, int count);

// dst = dst * src >> 8 for count / 4 groups of four bytes.
void MultiplyPixels(BYTE* dst, const BYTE* src, int count);

// dst[i] = a[i] * alpha / 255 + b[i] * (1 - alpha / 255), truncated.
void BlendBytes(BYTE* dst, const BYTE* a, const BYTE* b, int count, int alpha);

// Two rows of 32-bit pixels blended with one alpha (0..256): dst = b + (a - b) * alpha / 256
// in 16-bit steps, saturated to 0..255.
void BlendRowsConstant(BYTE* dst, const BYTE* a, const BYTE* b, int pixels, int alpha);

// dst = (dst * (255 - m) + src * m) >> 8 per byte, m the pixel's byte of the mask row.
void BlendRowsMasked(BYTE* dst, const BYTE* src, const BYTE* mask, int pixels);
