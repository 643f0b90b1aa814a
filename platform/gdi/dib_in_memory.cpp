// Bitmaps made from DIBs held in memory (bitmap resources, BMP files), every part checked to lie inside them.
#include <cstdint>
#include <cstring>
#include <vector>

#include "gdi/wingdi.h"

namespace {

// The bytes of the header with its colour masks and table, or 0 when the header is too short for its fields.
uint64_t DibHeaderBytes(const BITMAPINFOHEADER& h)
{
    if (h.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    uint64_t colours = h.biBitCount <= 8 ? (h.biClrUsed ? h.biClrUsed : uint64_t(1) << h.biBitCount) : h.biClrUsed;
    uint64_t masks = h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    return (uint64_t)h.biSize + masks + colours * sizeof(RGBQUAD);
}

}  // namespace

size_t PackedDibBitsOffset(const void* dib, size_t size)
{
    BITMAPINFOHEADER h;
    if (!dib || size < sizeof h)
        return 0;
    std::memcpy(&h, dib, sizeof h);
    uint64_t bytes = DibHeaderBytes(h);
    return bytes <= size ? (size_t)bytes : 0;
}

HBITMAP CreateBitmapFromDib(HDC hdc, const void* dib, size_t size, size_t bitsOffset)
{
    if (!dib || size < sizeof(BITMAPINFOHEADER) || size > (size_t(1) << 31))
        return nullptr;
    // The bytes need not be aligned for the header's fields: everything is read from an aligned copy.
    std::vector<uint32_t> copy((size + 3) / 4);
    std::memcpy(copy.data(), dib, size);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(copy.data());
    const BITMAPINFOHEADER& h = info->bmiHeader;
    uint64_t header = DibHeaderBytes(h);
    if (header == 0 || bitsOffset < header || bitsOffset > size || h.biWidth <= 0 || h.biHeight == 0)
        return nullptr;
    uint64_t rows = h.biHeight < 0 ? -(int64_t)h.biHeight : h.biHeight;
    uint64_t stride = (((uint64_t)h.biWidth * h.biBitCount + 31) / 32) * 4;
    uint64_t room = size - bitsOffset;
    if (stride > room || stride * rows > room)
        return nullptr;
    return CreateDIBitmap(hdc, &h, CBM_INIT, reinterpret_cast<const uint8_t*>(copy.data()) + bitsOffset, info,
                          DIB_RGB_COLORS);
}
