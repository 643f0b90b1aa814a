// CRasterImage transforms: filled pictures, rectangle copies, resampling, depth raise and channel tables.
#include "imaging/raster_image.h"

#include <cstring>

BYTE* CRasterImage::CreateFilled(int width, int height, int bitsPerPixel, DWORD color)
{
    if (bitsPerPixel < 24)
        return buffer;
    if (!Create(width, height, bitsPerPixel))
        return nullptr;
    BYTE low = color & 0xFF, middle = (color >> 8) & 0xFF, high = (color >> 16) & 0xFF;
    if (low == middle && middle == high) {
        std::memset(pixelRows, low, header.biSizeImage);
        return buffer;
    }
    int bytesPerPixel = GetBpp() / 8;
    for (int y = 0; y < GetHeight(); ++y) {
        BYTE* p = pixelRows + static_cast<size_t>(y) * rowWidth;
        for (int x = 0; x < GetWidth(); ++x, p += bytesPerPixel) {
            p[0] = low;
            p[1] = middle;
            p[2] = high;
        }
    }
    return buffer;
}

bool CRasterImage::CopyRectFrom(int x, int y, int width, int height, const CRasterImage* source, int sourceX,
                                int sourceY)
{
    if (!source || !buffer || !source->buffer || GetBpp() != source->GetBpp())
        return false;
    // Negative origins would address outside either picture.
    if (x < 0 || y < 0 || sourceX < 0 || sourceY < 0)
        return false;
    int destWidth = width < GetWidth() - x ? width : GetWidth() - x;
    int destHeight = height < GetHeight() - y ? height : GetHeight() - y;
    int sourceWidth = width < source->GetWidth() - sourceX ? width : source->GetWidth() - sourceX;
    int sourceHeight = height < source->GetHeight() - sourceY ? height : source->GetHeight() - sourceY;
    int copyWidth = destWidth < sourceWidth ? destWidth : sourceWidth;
    int copyHeight = destHeight < sourceHeight ? destHeight : sourceHeight;
    if (copyWidth <= 0 || copyHeight <= 0)
        return false;
    size_t bytes = (static_cast<size_t>(GetBpp()) * copyWidth) / 8;
    if (bytes == 0)
        bytes = 1;
    for (int i = 0; i < copyHeight; ++i)
        std::memcpy(GetPixelAddress(x, y + i), source->GetPixelAddress(sourceX, sourceY + i), bytes);
    return true;
}

bool CRasterImage::Resample(int newWidth, int newHeight, int mode)
{
    if (newWidth == 0 || newHeight == 0)
        return false;
    if (newWidth == GetWidth() && newHeight == GetHeight())
        return true;
    double xScale = static_cast<double>(GetWidth()) / newWidth;
    double yScale = static_cast<double>(GetHeight()) / newHeight;
    CRasterImage resized(newWidth, newHeight, GetBpp(), RASTER_TYPE_BMP);
    if (!resized.IsValid())
        return false;
    resized.SetPalette(GetPalette(), paletteCount < 256 ? paletteCount : 256);
    resized.transparentIndex = transparentIndex;
    resized.transparentColor = transparentColor;
    for (int y = 0; y < newHeight; ++y) {
        for (int x = 0; x < newWidth; ++x) {
            resized.SetPixelQuad(x, y, GetPixelColor(static_cast<int>(x * xScale), static_cast<int>(y * yScale)));
        }
    }
    Transfer(&resized);
    return true;
}

bool CRasterImage::IncreaseBpp(int bitsPerPixel)
{
    if (!buffer)
        return false;
    if (bitsPerPixel != 24)
        return false;
    if (GetBpp() == 24)
        return true;
    if (GetBpp() > 24)
        return false;
    CRasterImage raised(GetWidth(), GetHeight(), 24, RASTER_TYPE_BMP);
    if (!raised.IsValid())
        return false;
    for (int y = 0; y < GetHeight(); ++y)
        for (int x = 0; x < GetWidth(); ++x)
            raised.SetPixelQuad(x, y, GetPixelColor(x, y));
    Transfer(&raised);
    return true;
}

void CRasterImage::ApplyChannelTable(const BYTE* table, int channel)
{
    if (!table || !buffer || GetBpp() < 24 || channel < 0 || channel > 3)
        return;
    int bytesPerPixel = GetBpp() / 8;
    for (int y = 0; y < GetHeight(); ++y) {
        BYTE* p = pixelRows + static_cast<size_t>(y) * rowWidth;
        for (int x = 0; x < GetWidth(); ++x, p += bytesPerPixel) {
            if (channel == 0 || channel == 3)
                p[0] = table[p[0]];
            if (channel == 0 || channel == 2)
                p[1] = table[p[1]];
            if (channel == 0 || channel == 1)
                p[2] = table[p[2]];
        }
    }
}
