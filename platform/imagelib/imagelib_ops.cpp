// Rectangle combine, rectangular region with its adjustment, and painting onto a device context.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "imagelib/imagelib.h"

int32_t ImageLibCombine(ImageLibBitmap* dst, int32_t x, int32_t y, int32_t width, int32_t height,
                        const ImageLibBitmap* src, int32_t srcX, int32_t srcY, int32_t flags)
{
    if (!dst->memory || !src->memory || flags != IMAGELIB_COMBINE_COPY)
        return IMAGELIB_ERROR_BAD_ARG;
    // Clip both rectangles to their bitmaps, moving the other side alike.
    if (x < 0) {
        width += x;
        srcX -= x;
        x = 0;
    }
    if (y < 0) {
        height += y;
        srcY -= y;
        y = 0;
    }
    if (srcX < 0) {
        width += srcX;
        x -= srcX;
        srcX = 0;
    }
    if (srcY < 0) {
        height += srcY;
        y -= srcY;
        srcY = 0;
    }
    width = std::min({width, dst->width - x, src->width - srcX});
    height = std::min({height, dst->height - y, src->height - srcY});
    for (int32_t r = 0; r < height; ++r)
        memmove(dst->memory + (int64_t)(y + r) * dst->bytesPerLine + 3LL * x,
                src->memory + (int64_t)(srcY + r) * src->bytesPerLine + 3LL * srcX, 3 * (size_t)std::max(0, width));
    return 1;
}

int32_t ImageLibSetRectRegion(ImageLibBitmap* bitmap, const RECT* rect, int32_t mode)
{
    if (!rect)
        return IMAGELIB_ERROR_BAD_ARG;
    bitmap->region = *rect;
    bitmap->hasRegion = true;
    return 1;
}

int32_t ImageLibFreeRegion(ImageLibBitmap* bitmap)
{
    bitmap->hasRegion = false;
    return 1;
}

namespace {

// A 16-bit fixed-point multiplier m such that v + sign(amount) * ((v * m) >> 16), saturated to 0..255, gives
// the table's value for every byte v; 0 when no such multiplier exists (the table is then used alone).
uint16_t ScaleMultiplier(const uint8_t* table, int32_t amount)
{
    if (amount <= -1000 || amount >= 1000)
        return 0;
    const double exact = std::abs(amount) * 65536.0 / 1000.0;
    for (uint32_t m : {(uint32_t)exact, (uint32_t)exact + 1}) {
        if (m == 0 || m > 65535)
            continue;
        bool all = true;
        for (int32_t v = 0; v < 256 && all; ++v) {
            int32_t q = (int32_t)(((uint32_t)v * m) >> 16);
            all = table[v] == std::clamp(amount < 0 ? v - q : v + q, 0, 255);
        }
        if (all)
            return (uint16_t)m;
    }
    return 0;
}

// Maps n bytes through the table, sixteen at a time by the multiplier when there is one.
void AdjustBytes(uint8_t* p, int32_t n, const uint8_t* table, uint16_t m, bool darken)
{
    int32_t i = 0;
#if defined(__SSE2__)
    if (m) {
        const __m128i mul = _mm_set1_epi16((short)m), zero = _mm_setzero_si128();
        for (; i + 16 <= n; i += 16) {
            __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            __m128i lo = _mm_unpacklo_epi8(bytes, zero), hi = _mm_unpackhi_epi8(bytes, zero);
            __m128i qlo = _mm_mulhi_epu16(lo, mul), qhi = _mm_mulhi_epu16(hi, mul);
            lo = darken ? _mm_sub_epi16(lo, qlo) : _mm_add_epi16(lo, qlo);
            hi = darken ? _mm_sub_epi16(hi, qhi) : _mm_add_epi16(hi, qhi);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), _mm_packus_epi16(lo, hi));
        }
    }
#endif
    for (; i < n; ++i)
        p[i] = table[p[i]];
}

}  // namespace

int32_t ImageLibAdjustInRegion(ImageLibBitmap* bitmap, int32_t amount)
{
    if (!bitmap->memory || !bitmap->hasRegion)
        return IMAGELIB_ERROR_BAD_ARG;
    int32_t left = std::max(0, (int32_t)bitmap->region.left), top = std::max(0, (int32_t)bitmap->region.top);
    int32_t right = std::min(bitmap->width, (int32_t)bitmap->region.right);
    int32_t bottom = std::min(bitmap->height, (int32_t)bitmap->region.bottom);
    // One table for the call: every byte value maps the same way, so no row divides.
    uint8_t adjusted[256];
    for (int32_t v = 0; v < 256; ++v)
        adjusted[v] = (uint8_t)std::clamp(v + v * amount / 1000, 0, 255);
    const uint16_t m = ScaleMultiplier(adjusted, amount);
    for (int32_t y = top; y < bottom; ++y)
        AdjustBytes(bitmap->memory + (int64_t)y * bitmap->bytesPerLine + 3LL * left, 3 * (right - left), adjusted, m,
                    amount < 0);
    return 1;
}

int32_t ImageLibPaint(HDC target, const ImageLibBitmap* bitmap, const RECT* srcRect, const RECT* srcClip,
                      const RECT* dstRect, const RECT* dstClip, DWORD rop)
{
    if (!target || !bitmap->memory || !srcRect || !dstRect)
        return IMAGELIB_ERROR_BAD_ARG;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bitmap->width;
    info.bmiHeader.biHeight = -bitmap->height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    int saved = 0;
    if (dstClip) {
        saved = SaveDC(target);
        IntersectClipRect(target, dstClip->left, dstClip->top, dstClip->right, dstClip->bottom);
    }
    RECT s = *srcRect;
    if (srcClip) {
        s.left = std::max(s.left, srcClip->left);
        s.top = std::max(s.top, srcClip->top);
        s.right = std::min(s.right, srcClip->right);
        s.bottom = std::min(s.bottom, srcClip->bottom);
    }
    // StretchDIBits measures the source rectangle from the picture's lower left corner, top-down rows or not.
    int r = StretchDIBits(target, dstRect->left, dstRect->top, dstRect->right - dstRect->left,
                          dstRect->bottom - dstRect->top, s.left, bitmap->height - s.bottom, s.right - s.left,
                          s.bottom - s.top, bitmap->memory, &info, DIB_RGB_COLORS, rop);
    if (saved)
        RestoreDC(target, saved);
    return r ? 1 : 0;
}
