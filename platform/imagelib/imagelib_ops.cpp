// Rectangle combine, rectangular region with its adjustment, and painting onto a device context.
#include <algorithm>
#include <cstring>

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
    for (int32_t y = top; y < bottom; ++y) {
        uint8_t* p = bitmap->memory + (int64_t)y * bitmap->bytesPerLine + 3LL * left;
        for (int32_t i = 0; i < 3 * (right - left); ++i)
            p[i] = adjusted[p[i]];
    }
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
