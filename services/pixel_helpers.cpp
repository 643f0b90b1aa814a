// Byte and pixel-row helpers of the image effects.
#include "services/pixel_helpers.h"

#include <cstdint>
#include <cstdlib>

BOOL ColoursNear(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

void FillBytes8(BYTE* dst, BYTE value, int count)
{
    for (int block = 0; block < count / 8; block++)
        for (int i = 0; i < 8; i++)
            *dst++ = value;
}

void MultiplyPixels(BYTE* dst, const BYTE* src, int count)
{
    for (int i = 0; i < count / 4 * 4; i++)
        dst[i] = static_cast<BYTE>((dst[i] * src[i]) >> 8);
}

void BlendBytes(BYTE* dst, const BYTE* a, const BYTE* b, int count, int alpha)
{
    double weight = alpha / 255.0;
    for (int i = 0; i < count; i++)
        dst[i] = static_cast<BYTE>(a[i] * weight + b[i] * (1.0 - weight));
}

void BlendRowsConstant(BYTE* dst, const BYTE* a, const BYTE* b, int pixels, int alpha)
{
    for (int i = 0; i < pixels * 4; i++) {
        int16_t diff = static_cast<int16_t>(a[i] - b[i]);
        int16_t step = static_cast<int16_t>((diff * alpha) >> 8);
        int value = b[i] + step;
        dst[i] = static_cast<BYTE>(value < 0 ? 0 : value > 255 ? 255 : value);
    }
}

void BlendRowsMasked(BYTE* dst, const BYTE* src, const BYTE* mask, int pixels)
{
    for (int p = pixels - 1; p >= 0; p--) {
        int m = mask[p];
        for (int c = 0; c < 4; c++) {
            int i = p * 4 + c;
            dst[i] = static_cast<BYTE>((dst[i] * (255 - m) + src[i] * m) >> 8);
        }
    }
}
