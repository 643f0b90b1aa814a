// CRasterImage construction, creation, lifetime and palette.
#include "imaging/raster_image.h"

#include <cstdlib>
#include <cstring>

COLORREF QuadToColor(RGBQUAD quad) { return RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue); }

RGBQUAD ColorToQuad(COLORREF color)
{
    RGBQUAD quad;
    quad.rgbBlue = GetBValue(color);
    quad.rgbGreen = GetGValue(color);
    quad.rgbRed = GetRValue(color);
    quad.rgbReserved = 0;
    return quad;
}

CRasterImage::CRasterImage(int codecType)
{
    ResetFields();
    type = codecType;
}

CRasterImage::CRasterImage(int width, int height, int bitsPerPixel, int codecType)
{
    ResetFields();
    type = codecType;
    Create(width, height, bitsPerPixel);
}

CRasterImage::CRasterImage(const char* path, int codecType)
{
    ResetFields();
    type = codecType;
    LoadFile(path, codecType);
}

CRasterImage::~CRasterImage()
{
    ReleaseMemDc();
    if (!notOwner)
        std::free(buffer);
    buffer = nullptr;
}

void CRasterImage::ResetFields()
{
    std::memset(&header, 0, sizeof(header));
    header.biSize = sizeof(BITMAPINFOHEADER);
    rowWidth = 0;
    pixelRows = nullptr;
    notOwner = 0;
    type = RASTER_TYPE_BMP;
    std::memset(lastError, 0, sizeof(lastError));
    transparentIndex = -1;
    transparentColor = RGBQUAD{};
    quality = 75;
    paletteCount = 0;
}

void CRasterImage::SetLastError(const char* text)
{
    std::strncpy(lastError, text ? text : "", sizeof(lastError) - 1);
    lastError[sizeof(lastError) - 1] = '\0';
}

void CRasterImage::SetTransparentColor(COLORREF color) { transparentColor = ColorToQuad(color); }

BYTE* CRasterImage::Create(int width, int height, int bitsPerPixel)
{
    Destroy();
    if (bitsPerPixel <= 1)
        bitsPerPixel = 1;
    else if (bitsPerPixel <= 4)
        bitsPerPixel = 4;
    else if (bitsPerPixel <= 8)
        bitsPerPixel = 8;
    else if (bitsPerPixel <= 24)
        bitsPerPixel = 24;
    paletteCount = bitsPerPixel == 1 ? 2 : bitsPerPixel == 4 ? 16 : bitsPerPixel == 8 ? 256 : 0;
    // Sizes are computed in 64 bits so that a hostile width or height is refused rather than wrapped.
    if (width < 0 || height < 0)
        return nullptr;
    long long row = ((static_cast<long long>(bitsPerPixel) * width + 31) / 32) * 4;
    if (row > 0x7FFFFFFF || (row > 0 && height > (0x7FFFFFFFLL - 40 - 1024) / row))
        return nullptr;
    long long imageSize = row * height;
    rowWidth = static_cast<int>(row);
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitsPerPixel);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(imageSize);
    header.biXPelsPerMeter = 0;
    header.biYPelsPerMeter = 0;
    header.biClrUsed = paletteCount;
    header.biClrImportant = 0;
    // Cleared, so that row padding and unwritten pixels never carry stale memory into saved files.
    buffer = static_cast<BYTE*>(std::calloc(1, GetBufferSize()));
    if (!buffer) {
        // The image stays empty when the block cannot be had.
        int keptType = type;
        ResetFields();
        type = keptType;
        return nullptr;
    }
    std::memcpy(buffer, &header, sizeof(header));
    pixelRows = GetPixelRows();
    return buffer;
}

void CRasterImage::Destroy()
{
    if (!notOwner)
        std::free(buffer);
    buffer = nullptr;
    int keptType = type;
    ResetFields();
    type = keptType;
}

BYTE* CRasterImage::GetPixelRows() const { return buffer ? buffer + header.biSize + GetPaletteSize() : nullptr; }

int CRasterImage::GetBufferSize() const
{
    return static_cast<int>(header.biSize) + GetPaletteSize() + static_cast<int>(header.biSizeImage);
}

RGBQUAD* CRasterImage::GetPalette() const
{
    if (!buffer || paletteCount == 0)
        return nullptr;
    return reinterpret_cast<RGBQUAD*>(buffer + header.biSize);
}

RGBQUAD CRasterImage::GetPaletteColor(int index) const
{
    RGBQUAD* palette = GetPalette();
    if (palette && index >= 0 && index < paletteCount)
        return palette[index];
    return RGBQUAD{};
}

void CRasterImage::SetPalette(const RGBQUAD* entries, int count)
{
    RGBQUAD* palette = GetPalette();
    if (!entries || !palette || count <= 0)
        return;
    int bytes = GetPaletteSize() < 4 * count ? GetPaletteSize() : 4 * count;
    std::memcpy(palette, entries, bytes);
}

void CRasterImage::SetPaletteFromArrays(int count, const BYTE* red, const BYTE* green, const BYTE* blue)
{
    RGBQUAD* palette = GetPalette();
    if (!palette || !red)
        return;
    if (!green)
        green = red;
    if (!blue)
        blue = green;
    int n = count < paletteCount ? count : paletteCount;
    for (int i = 0; i < n; ++i) {
        palette[i].rgbBlue = blue[i];
        palette[i].rgbGreen = green[i];
        palette[i].rgbRed = red[i];
    }
}

void CRasterImage::SetGreyPalette()
{
    RGBQUAD* palette = GetPalette();
    if (!palette || paletteCount < 2)
        return;
    int step = 255 / (paletteCount - 1);
    for (int i = 0; i < paletteCount; ++i) {
        BYTE v = static_cast<BYTE>(i * step);
        palette[i].rgbBlue = v;
        palette[i].rgbGreen = v;
        palette[i].rgbRed = v;
        palette[i].rgbReserved = 0;
    }
}

bool CRasterImage::IsGrayScale() const
{
    RGBQUAD* palette = GetPalette();
    if (!palette)
        return false;
    for (int i = 0; i < paletteCount; ++i) {
        if (palette[i].rgbBlue != i || palette[i].rgbGreen != i || palette[i].rgbRed != i)
            return false;
    }
    return true;
}

int CRasterImage::GetNearestIndex(RGBQUAD color) const
{
    RGBQUAD* palette = GetPalette();
    if (!palette)
        return 0;
    long best = 200000;
    int bestIndex = 0;
    for (int i = 0; i < paletteCount; ++i) {
        long db = palette[i].rgbBlue - color.rgbBlue;
        long dg = palette[i].rgbGreen - color.rgbGreen;
        long dr = palette[i].rgbRed - color.rgbRed;
        long distance = db * db + dg * dg + dr * dr;
        if (distance == 0)
            return i;
        if (distance < best) {
            best = distance;
            bestIndex = i;
        }
    }
    return bestIndex;
}
