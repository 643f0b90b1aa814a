// Pixel access of bitmaps at every depth, and colour to pixel-value conversion.
#include <cstring>

#include "gdi/gdi_objects.h"

namespace gdi {

std::shared_ptr<Bitmap> MakeBitmap(int width, int height, int bpp, bool topDown)
{
    if (width <= 0 || height <= 0) return nullptr;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return nullptr;
    int64_t stride = (((int64_t)width * bpp + 31) / 32) * 4;
    if (stride * height > (int64_t)1 << 30) return nullptr;
    auto b = std::make_shared<Bitmap>();
    b->width = width;
    b->height = height;
    b->bpp = bpp;
    b->stride = (int)stride;
    b->topDown = topDown;
    b->storage.reset(new (std::nothrow) uint8_t[stride * height]);
    if (!b->storage) return nullptr;
    std::memset(b->storage.get(), 0, stride * height);
    b->bits = b->storage.get();
    return b;
}

uint32_t Bitmap::Get(int x, int y) const
{
    const uint8_t* row = Row(y);
    switch (bpp) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (row[x >> 1] & 15) : (row[x >> 1] >> 4);
    case 8: return row[x];
    case 16: return row[2 * x] | (row[2 * x + 1] << 8);
    case 24: return row[3 * x] | (row[3 * x + 1] << 8) | ((uint32_t)row[3 * x + 2] << 16);
    default: {
        uint32_t v;
        std::memcpy(&v, row + 4 * x, 4);
        return v;
    }
    }
}

void Bitmap::Set(int x, int y, uint32_t v)
{
    Touch(y, x, x + 1);
    uint8_t* row = Row(y);
    switch (bpp) {
    case 1: {
        uint8_t m = 0x80 >> (x & 7);
        row[x >> 3] = (v & 1) ? (row[x >> 3] | m) : (row[x >> 3] & ~m);
        break;
    }
    case 4:
        if (x & 1) row[x >> 1] = (row[x >> 1] & 0xF0) | (v & 15);
        else row[x >> 1] = (row[x >> 1] & 0x0F) | ((v & 15) << 4);
        break;
    case 8: row[x] = (uint8_t)v; break;
    case 16:
        row[2 * x] = (uint8_t)v;
        row[2 * x + 1] = (uint8_t)(v >> 8);
        break;
    case 24:
        row[3 * x] = (uint8_t)v;
        row[3 * x + 1] = (uint8_t)(v >> 8);
        row[3 * x + 2] = (uint8_t)(v >> 16);
        break;
    default: std::memcpy(row + 4 * x, &v, 4); break;
    }
}

void Bitmap::ReadRow(int y, int x0, int count, uint32_t* out) const
{
    if (bpp == 32) {
        std::memcpy(out, Row(y) + 4 * x0, 4 * (size_t)count);
        return;
    }
    for (int i = 0; i < count; ++i) out[i] = Get(x0 + i, y);
}

void Bitmap::WriteRow(int y, int x0, int count, const uint32_t* in)
{
    if (count > 0) Touch(y, x0, x0 + count);
    if (bpp == 32) {
        std::memcpy(Row(y) + 4 * x0, in, 4 * (size_t)count);
        return;
    }
    for (int i = 0; i < count; ++i) Set(x0 + i, y, in[i]);
}

int Bitmap::NearestIndex(COLORREF c) const
{
    int best = 0;
    long bestDistance = -1;
    int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    for (size_t i = 0; i < palette.size(); ++i) {
        long dr = palette[i].rgbRed - r, dg = palette[i].rgbGreen - g, db = palette[i].rgbBlue - b;
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = (int)i;
            if (d == 0) break;
        }
    }
    return best;
}

uint32_t Bitmap::ToValue(COLORREF c) const
{
    if (Palettized()) {
        if ((c & 0xFF000000) == 0x01000000) return (c & 0xFFFF) & ValueMask();  // PALETTEINDEX
        return (uint32_t)NearestIndex(c & 0xFFFFFF) & ValueMask();
    }
    uint32_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    if (bpp == 16 && rgb565) return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    if (bpp == 16) return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    return (r << 16) | (g << 8) | b;
}

COLORREF Bitmap::ToColor(uint32_t v) const
{
    if (Palettized()) {
        if (v >= palette.size()) return 0;
        const RGBQUAD& q = palette[v];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    if (bpp == 16 && rgb565) {
        uint32_t r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
        return RGB((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
    }
    if (bpp == 16) {
        uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        return RGB((r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2));
    }
    return RGB((v >> 16) & 255, (v >> 8) & 255, v & 255);
}

}  // namespace gdi
