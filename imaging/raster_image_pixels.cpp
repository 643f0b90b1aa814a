// CRasterImage pixel access by palette index and by colour.
#include "imaging/raster_image.h"

namespace {

bool Inside(const CRasterImage& image, int x, int y)
{
    return x >= 0 && y >= 0 && x < image.GetWidth() && y < image.GetHeight();
}

}  // namespace

BYTE CRasterImage::GetPixelIndex(int x, int y) const
{
    if (!buffer || paletteCount == 0)
        return 0;
    if (!Inside(*this, x, y))
        return transparentIndex != -1 ? static_cast<BYTE>(transparentIndex & 0xFF) : 0;
    const BYTE* row = pixelRows + static_cast<size_t>(y) * rowWidth;
    switch (header.biBitCount) {
    case 8: return row[x];
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    default: return 0;
    }
}

void CRasterImage::SetPixelIndex(int x, int y, BYTE index)
{
    if (!buffer || paletteCount == 0 || !Inside(*this, x, y))
        return;
    BYTE* row = pixelRows + static_cast<size_t>(y) * rowWidth;
    switch (header.biBitCount) {
    case 8: row[x] = index; break;
    case 4: {
        BYTE& cell = row[x >> 1];
        cell = (x & 1) ? static_cast<BYTE>((cell & 0xF0) | (index & 15))
                       : static_cast<BYTE>((cell & 0x0F) | ((index & 15) << 4));
        break;
    }
    case 1: {
        BYTE mask = static_cast<BYTE>(0x80 >> (x & 7));
        BYTE& cell = row[x >> 3];
        cell = (index & 1) ? (cell | mask) : (cell & ~mask);
        break;
    }
    default: break;
    }
}

RGBQUAD CRasterImage::GetPixelColor(int x, int y) const
{
    RGBQUAD result{};
    if (!buffer)
        return result;
    if (!Inside(*this, x, y)) {
        if (transparentIndex == -1)
            return result;
        if (header.biBitCount < 24)
            return GetPaletteColor(transparentIndex);
        return transparentColor;
    }
    if (paletteCount == 0) {
        const BYTE* p =
            pixelRows + static_cast<size_t>(y) * rowWidth + (static_cast<size_t>(header.biBitCount) * x) / 8;
        result.rgbBlue = p[0];
        result.rgbGreen = p[1];
        result.rgbRed = p[2];
        return result;
    }
    return GetPaletteColor(GetPixelIndex(x, y));
}

void CRasterImage::SetPixelQuad(int x, int y, RGBQUAD quad)
{
    if (!buffer || !Inside(*this, x, y))
        return;
    if (paletteCount == 0) {
        BYTE* p = pixelRows + static_cast<size_t>(y) * rowWidth + (static_cast<size_t>(header.biBitCount) * x) / 8;
        p[0] = quad.rgbBlue;
        p[1] = quad.rgbGreen;
        p[2] = quad.rgbRed;
        return;
    }
    SetPixelIndex(x, y, static_cast<BYTE>(GetNearestIndex(quad)));
}

void CRasterImage::SetPixelColor(int x, int y, COLORREF color) { SetPixelQuad(x, y, ColorToQuad(color)); }

BYTE* CRasterImage::GetPixelAddress(int x, int yFromTop) const
{
    if (!pixelRows)
        return nullptr;
    return pixelRows + static_cast<ptrdiff_t>(header.biHeight - 1 - yFromTop) * rowWidth +
           (static_cast<ptrdiff_t>(header.biBitCount) * x) / 8;
}

void CRasterImage::SwapRedBlue(BYTE* row, int length) const
{
    if (!row || paletteCount != 0)
        return;
    int n = length < rowWidth ? length : rowWidth;
    for (int i = 0; i + 2 < n; i += 3) {
        BYTE t = row[i];
        row[i] = row[i + 2];
        row[i + 2] = t;
    }
}
