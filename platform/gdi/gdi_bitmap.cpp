// Pixel access of bitmaps at every depth, and colour to pixel-value conversion.
#include <cstring>

#include "gdi/gdi_objects.h"

namespace gdi {

std::shared_ptr<Bitmap> MakeBitmap(int width, int height, int bpp, bool topDown)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return nullptr;
    int64_t stride = (((int64_t)width * bpp + 31) / 32) * 4;
    if (stride * height > (int64_t)1 << 30)
        return nullptr;
    auto b = std::make_shared<Bitmap>();
    b->width = width;
    b->height = height;
    b->bpp = bpp;
    b->stride = (int)stride;
    b->topDown = topDown;
    b->storage.reset(new (std::nothrow) uint8_t[stride * height]);
    if (!b->storage)
        return nullptr;
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
        if (x & 1)
            row[x >> 1] = (row[x >> 1] & 0xF0) | (v & 15);
        else
            row[x >> 1] = (row[x >> 1] & 0x0F) | ((v & 15) << 4);
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
    for (int i = 0; i < count; ++i)
        out[i] = Get(x0 + i, y);
}

void Bitmap::WriteRow(int y, int x0, int count, const uint32_t* in)
{
    if (count > 0)
        Touch(y, x0, x0 + count);
    if (bpp == 32) {
        std::memcpy(Row(y) + 4 * x0, in, 4 * (size_t)count);
        return;
    }
    for (int i = 0; i < count; ++i)
        Set(x0 + i, y, in[i]);
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
            if (d == 0)
                break;
        }
    }
    return best;
}

namespace {

int FieldShift(uint32_t mask)
{
    int s = 0;
    while (s < 32 && !((mask >> s) & 1))
        ++s;
    return s;
}

int FieldWidth(uint32_t mask, int shift)
{
    int w = 0;
    while (shift + w < 32 && (mask >> (shift + w)))
        ++w;
    return w;
}

// An 8-bit channel from a field of any width: narrow fields repeat their bits, wide ones keep their top 8.
uint32_t WidenField(uint32_t f, int w)
{
    if (w == 0)
        return 0;
    if (w >= 8)
        return (f >> (w - 8)) & 255;
    uint32_t out = 0;
    for (int s = 8 - w; s > -w; s -= w)
        out |= s >= 0 ? f << s : f >> -s;
    return out & 255;
}

// A field of width w from an 8-bit channel, repeating the channel's bits when the field is wider.
uint32_t NarrowField(uint32_t c, int w)
{
    if (w <= 8)
        return w ? c >> (8 - w) : 0;
    uint32_t out = 0;
    for (int s = w - 8; s > -8; s -= 8)
        out |= s >= 0 ? c << s : c >> -s;
    return out & ((w >= 32 ? 0 : 1u << w) - 1);
}

uint32_t ReadField(uint32_t v, uint32_t mask)
{
    int shift = FieldShift(mask);
    return shift >= 32 ? 0 : WidenField((v & mask) >> shift, FieldWidth(mask, shift));
}

uint32_t WriteField(uint32_t c, uint32_t mask)
{
    int shift = FieldShift(mask);
    return shift >= 32 ? 0 : (NarrowField(c, FieldWidth(mask, shift)) << shift) & mask;
}

}  // namespace

void Bitmap::SetMasks(uint32_t red, uint32_t green, uint32_t blue)
{
    masks = {red, green, blue};
    if ((bpp == 16 && red == 0x7C00 && green == 0x03E0 && blue == 0x001F) ||
        (bpp == 32 && red == 0xFF0000 && green == 0xFF00 && blue == 0xFF))
        masks = {};
}

uint32_t Bitmap::ToValue(COLORREF c) const
{
    if (Palettized())
        return (uint32_t)NearestIndex(c & 0xFFFFFF) & ValueMask();
    uint32_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    if (HasMasks())
        return WriteField(r, masks[0]) | WriteField(g, masks[1]) | WriteField(b, masks[2]);
    if (bpp == 16)
        return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    return (r << 16) | (g << 8) | b;
}

COLORREF Bitmap::ToColor(uint32_t v) const
{
    if (Palettized()) {
        if (v >= palette.size())
            return 0;
        const RGBQUAD& q = palette[v];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    if (HasMasks())
        return RGB(ReadField(v, masks[0]), ReadField(v, masks[1]), ReadField(v, masks[2]));
    if (bpp == 16) {
        uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        return RGB((r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2));
    }
    return RGB((v >> 16) & 255, (v >> 8) & 255, v & 255);
}

}  // namespace gdi
