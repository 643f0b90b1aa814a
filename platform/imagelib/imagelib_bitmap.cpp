// Bitmap records: allocation over a DIB section, copy, hand-over, pixel access and device contexts.
#include <cstring>

#include "imagelib/imagelib.h"

void ImageLibInitBitmap(ImageLibBitmap* bitmap, int32_t bitsPerPixel)
{
    memset(bitmap, 0, sizeof(*bitmap));
    bitmap->bitsPerPixel = bitsPerPixel;
    bitmap->colorOrder = IMAGELIB_ORDER_BGR;
}

int32_t ImageLibAllocateBitmap(ImageLibBitmap* bitmap, int32_t width, int32_t height, int32_t bitsPerPixel,
                               int32_t colorOrder, int32_t orientation)
{
    if (width < 1 || height < 1 || bitsPerPixel != 24)
        return IMAGELIB_ERROR_BAD_ARG;
    int64_t line = ((int64_t)width * 3 + 3) & ~(int64_t)3;
    if (line * height > INT32_MAX)
        return IMAGELIB_ERROR_NO_MEMORY;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // row 0 at the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) {
        if (dib)
            DeleteObject(dib);
        return IMAGELIB_ERROR_NO_MEMORY;
    }
    ImageLibInitBitmap(bitmap, bitsPerPixel);
    bitmap->dib = dib;
    bitmap->memory = (uint8_t*)bits;
    bitmap->pixels = bitmap->memory;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->bytesPerLine = (int32_t)line;
    bitmap->flags = IMAGELIB_ALLOCATED;
    bitmap->orientation = orientation;
    bitmap->colorOrder = colorOrder;
    return 1;
}

void ImageLibFreeBitmap(ImageLibBitmap* bitmap)
{
    if (bitmap->dib)
        DeleteObject(bitmap->dib);
    bitmap->dib = nullptr;
    bitmap->memory = nullptr;
    bitmap->pixels = nullptr;
    bitmap->flags &= ~IMAGELIB_ALLOCATED;
    bitmap->accessCount = 0;
}

int32_t ImageLibCopyBitmap(ImageLibBitmap* dst, const ImageLibBitmap* src)
{
    if (!(src->flags & IMAGELIB_ALLOCATED) || !src->memory)
        return IMAGELIB_ERROR_BAD_ARG;
    int32_t r =
        ImageLibAllocateBitmap(dst, src->width, src->height, src->bitsPerPixel, src->colorOrder, src->orientation);
    if (r != 1)
        return r;
    memcpy(dst->memory, src->memory, (size_t)src->bytesPerLine * src->height);
    return 1;
}

int32_t ImageLibHandOverBitmap(ImageLibBitmap* dst, ImageLibBitmap* src)
{
    if (dst->dib)
        ImageLibFreeBitmap(dst);
    *dst = *src;
    dst->hasRegion = false;
    ImageLibInitBitmap(src, src->bitsPerPixel);
    return 1;
}

int32_t ImageLibHoldsPicture(const ImageLibBitmap* bitmap)
{
    return (bitmap->flags & IMAGELIB_ALLOCATED) && bitmap->width > 0 && bitmap->height > 0 ? 1 : 0;
}

uint8_t* ImageLibBeginAccess(ImageLibBitmap* bitmap)
{
    if (!bitmap->memory)
        return nullptr;
    ++bitmap->accessCount;
    bitmap->pixels = bitmap->memory;
    return bitmap->pixels;
}

void ImageLibEndAccess(ImageLibBitmap* bitmap)
{
    if (bitmap->accessCount > 0)
        --bitmap->accessCount;
}

HDC ImageLibGetDC(ImageLibBitmap* bitmap)
{
    if (!bitmap->dib)
        return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return nullptr;
    SelectObject(dc, bitmap->dib);
    return dc;
}

int32_t ImageLibReleaseDC(HDC dc)
{
    if (!dc)
        return 0;
    GdiFlush();
    return DeleteDC(dc) ? 1 : 0;
}
