// Bitmap store behind the page bitmap: 24-bit BGR bitmaps, JPEG decoding, copy, combine, regions, painting.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gdi/wingdi.h"

// Colour orders of a bitmap's pixels.
#define IMAGELIB_ORDER_RGB 0
#define IMAGELIB_ORDER_BGR 1
// Flag bit: the record holds pixel memory.
#define IMAGELIB_ALLOCATED 1
// Combine flags the page uses: the source rectangle replaces the destination rectangle.
#define IMAGELIB_COMBINE_COPY 288

// Results besides 1 (success).
#define IMAGELIB_ERROR_NO_MEMORY -1
#define IMAGELIB_ERROR_BAD_ARG -13
#define IMAGELIB_ERROR_DECODE 0

struct ImageLibBitmap {
    uint8_t* pixels;  // first byte of row 0 while access is open
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
    int32_t bytesPerLine;  // 3 x width rounded up to 4 for 24-bit pixels
    int32_t flags;
    int32_t orientation;
    int32_t colorOrder;
    HBITMAP dib;  // section that owns the pixels, so that a DC can draw into them
    uint8_t* memory;
    int32_t accessCount;
    RECT region;
    bool hasRegion;
};

void ImageLibInitBitmap(ImageLibBitmap* bitmap, int32_t bitsPerPixel);
int32_t ImageLibAllocateBitmap(ImageLibBitmap* bitmap, int32_t width, int32_t height, int32_t bitsPerPixel,
                               int32_t colorOrder, int32_t orientation);
void ImageLibFreeBitmap(ImageLibBitmap* bitmap);
int32_t ImageLibCopyBitmap(ImageLibBitmap* dst, const ImageLibBitmap* src);
// Moves src's pixels into dst (dst's own pixels must be freed first); src ends empty.
int32_t ImageLibHandOverBitmap(ImageLibBitmap* dst, ImageLibBitmap* src);
int32_t ImageLibHoldsPicture(const ImageLibBitmap* bitmap);
uint8_t* ImageLibBeginAccess(ImageLibBitmap* bitmap);
void ImageLibEndAccess(ImageLibBitmap* bitmap);

int32_t ImageLibDecodeJpegFile(const char* path, ImageLibBitmap* bitmap, int32_t bitsPerPixel, int32_t colorOrder);
int32_t ImageLibDecodeJpegMemory(const void* data, size_t size, ImageLibBitmap* bitmap, int32_t bitsPerPixel,
                                 int32_t colorOrder);

// A DC whose drawing lands in the bitmap's pixels, and its release (a null DC is ignored).
HDC ImageLibGetDC(ImageLibBitmap* bitmap);
int32_t ImageLibReleaseDC(HDC dc);

int32_t ImageLibCombine(ImageLibBitmap* dst, int32_t x, int32_t y, int32_t width, int32_t height,
                        const ImageLibBitmap* src, int32_t srcX, int32_t srcY, int32_t flags);
int32_t ImageLibSetRectRegion(ImageLibBitmap* bitmap, const RECT* rect, int32_t mode);
int32_t ImageLibFreeRegion(ImageLibBitmap* bitmap);
// Darkens (negative) or lightens the pixels inside the region by amount tenths of a percent.
int32_t ImageLibAdjustInRegion(ImageLibBitmap* bitmap, int32_t amount);
int32_t ImageLibPaint(HDC target, const ImageLibBitmap* bitmap, const RECT* srcRect, const RECT* srcClip,
                      const RECT* dstRect, const RECT* dstClip, DWORD rop);
