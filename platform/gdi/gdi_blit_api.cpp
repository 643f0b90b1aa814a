// BitBlt, StretchBlt, PatBlt, TransparentBlt, StretchDIBits and SetDIBitsToDevice.
#include <algorithm>
#include <cstring>

#include "gdi/gdi_blit.h"
#include "gdi/gdi_rle.h"
#include "gdi/wingdi.h"

using namespace gdi;

namespace {

BlitSource SourceOf(const Dc& dc, int x, int y, int w, int h)
{
    BlitSource s;
    s.bitmap = dc.Surface();
    s.bkColour = dc.state.bkColour;
    POINT p = dc.ToDevice(x, y);
    s.x = p.x;
    s.y = p.y;
    s.width = w;
    s.height = h;
    return s;
}

}  // namespace

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh, DWORD rop)
{
    auto d = LookupDc(dest);
    if (!d)
        return FALSE;
    uint8_t code = (uint8_t)(rop >> 16);
    bool needSource = (((code >> 2) ^ code) & 0x33) != 0;
    std::shared_ptr<Dc> s;
    if (needSource) {
        s = LookupDc(source);
        if (!s)
            return FALSE;
    }
    POINT p = d->ToDevice(x, y);
    BlitSource src;
    if (s)
        src = SourceOf(*s, sx, sy, sw, sh);
    Blit(*d, p.x, p.y, width, height, s ? &src : nullptr, rop, d->state.stretchMode);
    return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop)
{
    return StretchBlt(dest, x, y, width, height, source, sx, sy, width, height, rop);
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop)
{
    uint8_t code = (uint8_t)(rop >> 16);
    if ((((code >> 2) ^ code) & 0x33) != 0)
        return FALSE;  // a raster operation that needs a source
    return StretchBlt(hdc, x, y, width, height, nullptr, 0, 0, width, height, rop);
}

BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh,
                    UINT transparent)
{
    auto d = LookupDc(dest);
    auto s = LookupDc(source);
    if (!d || !s || width <= 0 || height <= 0 || sw <= 0 || sh <= 0)
        return FALSE;
    Bitmap* dst = d->Surface();
    const Bitmap* src = s->Surface();
    if (!dst || !src)
        return FALSE;
    POINT dp = d->ToDevice(x, y), sp = s->ToDevice(sx, sy);
    RECT v = VisibleBox(*d);
    COLORREF key = transparent & 0xFFFFFF;
    for (int yy = std::max<int>(dp.y, v.top); yy < std::min<int>(dp.y + height, v.bottom); ++yy) {
        int srcY = sp.y + (int)((int64_t)(yy - dp.y) * sh / height);
        if (srcY < 0 || srcY >= src->height)
            continue;
        ForEachClippedSpan(*d, yy, dp.x, dp.x + width, [&](int a, int b) {
            for (int xx = a; xx < b; ++xx) {
                int srcX = sp.x + (int)((int64_t)(xx - dp.x) * sw / width);
                if (srcX < 0 || srcX >= src->width)
                    continue;
                COLORREF c = src->ToColor(src->Get(srcX, srcY));
                if (c != key)
                    dst->Set(xx, yy, dst->ToValue(c));
            }
        });
    }
    return TRUE;
}

namespace {

// One axis of a StretchDIBits rectangle: a negative extent runs back from the origin and takes the origin in.
void RectAxis(int64_t origin, int extent, int64_t& start, int64_t& size)
{
    start = extent < 0 ? origin + extent + 1 : origin;
    size = std::min<int64_t>(std::abs((int64_t)extent), int64_t(1) << 29);
}

}  // namespace

int StretchDIBits(HDC hdc, int x, int y, int width, int height, int sx, int sy, int sw, int sh, const void* bits,
                  const BITMAPINFO* info, UINT usage, DWORD rop)
{
    auto d = LookupDc(hdc);
    if (!d || !bits || !info)
        return 0;
    Bitmap dib;
    ExpandedDib expanded;
    DWORD compression;
    std::memcpy(&compression, &info->bmiHeader.biCompression, sizeof compression);
    if (compression == BI_RLE8) {
        if (!ExpandRle8(info, bits, usage, expanded) ||
            !WrapDib(expanded.Info(), expanded.bits.data(), usage, d.get(), dib))
            return 0;
    } else if (!WrapDib(info, bits, usage, d.get(), dib)) {
        return 0;
    }
    // The source rectangle is measured from the picture's lower left corner, whichever way its rows are stored.
    int64_t sx0, sw0, sy0, sh0, dx0, dw0, dy0, dh0;
    RectAxis(sx, sw, sx0, sw0);
    RectAxis(sy, sh, sy0, sh0);
    POINT p = d->ToDevice(x, y);
    RectAxis(p.x, width, dx0, dw0);
    RectAxis(p.y, height, dy0, dh0);
    BlitSource src;
    src.bitmap = &dib;
    src.x = (int)std::clamp<int64_t>(sx0, -(int64_t(1) << 30), int64_t(1) << 30);
    src.y = (int)std::clamp<int64_t>(dib.height - sy0 - sh0, -(int64_t(1) << 30), int64_t(1) << 30);
    src.width = (int)sw0;
    src.height = (int)sh0;
    // Extents of different signs mirror; the destination carries the mirroring.
    bool mirrorX = (width < 0) != (sw < 0), mirrorY = (height < 0) != (sh < 0);
    Blit(*d, (int)(mirrorX ? dx0 + dw0 : dx0), (int)(mirrorY ? dy0 + dh0 : dy0), mirrorX ? -(int)dw0 : (int)dw0,
         mirrorY ? -(int)dh0 : (int)dh0, &src, rop, d->state.stretchMode);
    return std::abs(height);
}

int SetDIBitsToDevice(HDC hdc, int x, int y, DWORD width, DWORD height, int sx, int sy, UINT startScan, UINT scanLines,
                      const void* bits, const BITMAPINFO* info, UINT usage)
{
    auto d = LookupDc(hdc);
    if (!d || !bits || !info)
        return 0;
    Bitmap dib;
    if (!WrapDib(info, bits, usage, d.get(), dib))
        return 0;
    // The bits hold scanLines rows starting at row startScan (counted from the bottom for bottom-up DIBs).
    if (startScan >= (UINT)dib.height)
        return 0;
    scanLines = std::min<UINT>(scanLines, (UINT)dib.height - startScan);
    int fullHeight = dib.height;
    Bitmap& band = dib;
    band.height = (int)scanLines;
    int bandTop;  // picture row of the band's first (top) row
    if (dib.topDown)
        bandTop = (int)startScan;
    else
        bandTop = fullHeight - (int)startScan - (int)scanLines;
    int top = dib.topDown ? sy : fullHeight - sy - (int)height;
    BlitSource src;
    src.bitmap = &band;
    src.x = sx;
    src.y = top - bandTop;
    src.width = (int)width;
    src.height = (int)height;
    // Only the rows the band holds are transferred.
    int first = std::max(0, -src.y), last = std::min<int>((int)height, (int)scanLines - src.y);
    if (first >= last)
        return (int)scanLines;
    src.y += first;
    src.height = last - first;
    POINT p = d->ToDevice(x, y + first);
    Blit(*d, p.x, p.y, (int)width, last - first, &src, SRCCOPY, COLORONCOLOR);
    return (int)scanLines;
}
