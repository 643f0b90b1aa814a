// Raster operations, clipped span painting and brush patterns.
#include "gdi/gdi_raster.h"

#include <algorithm>

#include "gdi/gdi_colour.h"

namespace gdi {

uint32_t Rop2(int mode, uint32_t p, uint32_t d)
{
    switch (mode) {
    case R2_BLACK: return 0;
    case R2_NOTMERGEPEN: return ~(p | d);
    case R2_MASKNOTPEN: return ~p & d;
    case R2_NOTCOPYPEN: return ~p;
    case R2_MASKPENNOT: return p & ~d;
    case R2_NOT: return ~d;
    case R2_XORPEN: return p ^ d;
    case R2_NOTMASKPEN: return ~(p & d);
    case R2_MASKPEN: return p & d;
    case R2_NOTXORPEN: return ~(p ^ d);
    case R2_NOP: return d;
    case R2_MERGENOTPEN: return ~p | d;
    case R2_MERGEPEN: return p | d;
    case R2_MERGEPENNOT: return p | ~d;
    case R2_WHITE: return 0xFFFFFFFFu;
    default: return p;  // R2_COPYPEN
    }
}

uint32_t Rop3(uint8_t code, uint32_t p, uint32_t s, uint32_t d)
{
    switch (code) {
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFFFFu;
    case 0xCC: return s;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x66: return s ^ d;
    case 0x44: return s & ~d;
    case 0x33: return ~s;
    case 0x11: return ~(s | d);
    case 0xC0: return p & s;
    case 0xBB: return ~s | d;
    case 0xF0: return p;
    case 0xFB: return p | ~s | d;
    case 0x5A: return p ^ d;
    case 0x55: return ~d;
    case 0xAA: return d;
    case 0xB8: return ((p ^ d) & s) ^ p;
    case 0xE2: return ((p ^ d) & s) ^ d;
    default: break;
    }
    // General case: each set bit i of the code (i = 4p + 2s + d) contributes the pixels with that input combination.
    uint32_t r = 0;
    for (int i = 0; i < 8; ++i) {
        if (!((code >> i) & 1))
            continue;
        uint32_t m = ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        r |= m;
    }
    return r;
}

RECT VisibleBox(const Dc& dc)
{
    const Bitmap* s = dc.Surface();
    if (!s)
        return RECT{0, 0, 0, 0};
    RECT r{0, 0, s->width, s->height};
    if (dc.state.clip) {
        if (dc.state.clip->IsEmpty())
            return RECT{0, 0, 0, 0};
        RECT c = dc.state.clip->Box();
        r.left = std::max(r.left, c.left);
        r.top = std::max(r.top, c.top);
        r.right = std::min(r.right, c.right);
        r.bottom = std::min(r.bottom, c.bottom);
        if (r.left >= r.right || r.top >= r.bottom)
            return RECT{0, 0, 0, 0};
    }
    return r;
}

namespace {

bool HatchBit(int hatch, int x, int y)
{
    switch (hatch) {
    case HS_HORIZONTAL: return y == 3;
    case HS_VERTICAL: return x == 4;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x == 7 - y;
    case HS_CROSS: return x == 4 || y == 3;
    default: return x == y || x == 7 - y;  // HS_DIAGCROSS
    }
}

}  // namespace

BrushPainter::BrushPainter(const Dc& dc, const Brush* brush)
{
    const Bitmap* s = dc.Surface();
    if (!brush || !s || brush->style == BS_NULL) {
        m_null = true;
        return;
    }
    m_orgX = dc.state.brushOrg.x;
    m_orgY = dc.state.brushOrg.y;
    COLORREF colour = brush->dcBrush ? dc.state.dcBrushColour : brush->colour;
    if (brush->style == BS_SOLID) {
        m_value = DrawingValue(dc, colour);
        return;
    }
    m_solid = false;
    if (brush->style == BS_HATCHED) {
        uint32_t fore = DrawingValue(dc, colour), back = ColourValue(dc, dc.state.bkColour);
        bool opaque = dc.state.bkMode == OPAQUE;
        m_values.resize(64);
        m_draw.resize(64);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                bool line = HatchBit(brush->hatch, x, y);
                m_values[y * 8 + x] = line ? fore : back;
                m_draw[y * 8 + x] = line || opaque;
            }
        return;
    }
    const Bitmap* pat = brush->pattern.get();
    if (!pat) {
        m_null = true;
        return;
    }
    m_w = pat->width;
    m_h = pat->height;
    m_values.resize((size_t)m_w * m_h);
    m_draw.assign((size_t)m_w * m_h, 1);
    uint32_t zero = ColourValue(dc, dc.state.textColour), one = ColourValue(dc, dc.state.bkColour);
    for (int y = 0; y < m_h; ++y)
        for (int x = 0; x < m_w; ++x) {
            uint32_t v = pat->Get(x, y);
            if (pat->mono && !s->mono)
                m_values[y * m_w + x] = v ? one : zero;
            else if (pat->mono && s->mono)
                m_values[y * m_w + x] = v;
            else
                m_values[y * m_w + x] = s->ToValue(pat->ToColor(v));
        }
}

uint32_t BrushPainter::At(int x, int y, bool* draw) const
{
    if (m_solid) {
        *draw = true;
        return m_value;
    }
    int px = ((x - m_orgX) % m_w + m_w) % m_w;
    int py = ((y - m_orgY) % m_h + m_h) % m_h;
    size_t i = (size_t)py * m_w + px;
    *draw = m_draw[i] != 0;
    return m_values[i];
}

namespace {

void RopRow32(uint32_t* d, int n, uint32_t v, int rop2)
{
    switch (rop2) {
    case R2_COPYPEN: std::fill(d, d + n, v); return;
    case R2_NOP: return;
    case R2_XORPEN:
        for (int i = 0; i < n; ++i)
            d[i] ^= v;
        return;
    case R2_NOTXORPEN:
        for (int i = 0; i < n; ++i)
            d[i] = ~(d[i] ^ v);
        return;
    case R2_NOT:
        for (int i = 0; i < n; ++i)
            d[i] = ~d[i];
        return;
    default:
        for (int i = 0; i < n; ++i)
            d[i] = Rop2(rop2, v, d[i]);
        return;
    }
}

// Three-byte pixels: one copy pattern, or each pixel through the operation.
void RopRow24(uint8_t* d, int n, uint32_t v, int rop2)
{
    const uint8_t b0 = (uint8_t)v, b1 = (uint8_t)(v >> 8), b2 = (uint8_t)(v >> 16);
    if (rop2 == R2_COPYPEN) {
        // Long runs of one byte value go to memset; short ones (stems, glyph rows) are cheaper written directly.
        if (b0 == b1 && b1 == b2 && n >= 16) {
            std::fill(d, d + 3 * (ptrdiff_t)n, b0);
            return;
        }
        for (int i = 0; i < n; ++i, d += 3) {
            d[0] = b0;
            d[1] = b1;
            d[2] = b2;
        }
        return;
    }
    for (int i = 0; i < n; ++i, d += 3) {
        uint32_t r = Rop2(rop2, v, d[0] | (d[1] << 8) | ((uint32_t)d[2] << 16));
        d[0] = (uint8_t)r;
        d[1] = (uint8_t)(r >> 8);
        d[2] = (uint8_t)(r >> 16);
    }
}

}  // namespace

void WriteSurfaceSpan(Bitmap& s, int y, int x0, int x1, uint32_t value)
{
    if (x0 >= x1)
        return;
    switch (s.bpp) {
    case 32:
        std::fill(reinterpret_cast<uint32_t*>(s.Row(y)) + x0, reinterpret_cast<uint32_t*>(s.Row(y)) + x1, value);
        return;
    case 24: RopRow24(s.Row(y) + 3 * (ptrdiff_t)x0, x1 - x0, value, R2_COPYPEN); return;
    case 8: std::fill(s.Row(y) + x0, s.Row(y) + x1, (uint8_t)value); return;
    default:
        for (int x = x0; x < x1; ++x)
            s.Set(x, y, value);
        return;
    }
}

void PaintSpan(Dc& dc, int y, int x0, int x1, uint32_t value, int rop2)
{
    Bitmap* s = dc.Surface();
    if (!s)
        return;
    uint32_t mask = s->ValueMask();
    ForEachClippedSpan(dc, y, x0, x1, [&](int a, int b) {
        if (s->bpp == 32) {
            RopRow32(reinterpret_cast<uint32_t*>(s->Row(y)) + a, b - a, value, rop2);
            return;
        }
        if (s->bpp == 24) {
            RopRow24(s->Row(y) + 3 * (ptrdiff_t)a, b - a, value, rop2);
            return;
        }
        if (rop2 == R2_COPYPEN && s->bpp == 8) {
            std::fill(s->Row(y) + a, s->Row(y) + b, (uint8_t)value);
            return;
        }
        for (int x = a; x < b; ++x)
            s->Set(x, y, Rop2(rop2, value, s->Get(x, y)) & mask);
    });
}

void PaintBrushSpan(Dc& dc, const BrushPainter& brush, int y, int x0, int x1, int rop2)
{
    if (brush.IsNull())
        return;
    if (brush.IsSolid()) {
        PaintSpan(dc, y, x0, x1, brush.SolidValue(), rop2);
        return;
    }
    Bitmap* s = dc.Surface();
    if (!s)
        return;
    uint32_t mask = s->ValueMask();
    ForEachClippedSpan(dc, y, x0, x1, [&](int a, int b) {
        for (int x = a; x < b; ++x) {
            bool draw;
            uint32_t v = brush.At(x, y, &draw);
            if (draw)
                s->Set(x, y, Rop2(rop2, v, s->Get(x, y)) & mask);
        }
    });
}

void PaintPixel(Dc& dc, int x, int y, uint32_t value, int rop2)
{
    Bitmap* s = dc.Surface();
    if (!s || x < 0 || y < 0 || x >= s->width || y >= s->height)
        return;
    if (dc.state.clip && !dc.state.clip->Contains(x, y))
        return;
    uint32_t mask = s->ValueMask();
    s->Set(x, y, rop2 == R2_COPYPEN ? value : (Rop2(rop2, value, s->Get(x, y)) & mask));
}

void PaintBrushRect(Dc& dc, const BrushPainter& brush, RECT r, int rop2)
{
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    RECT v = VisibleBox(dc);
    int top = std::max<int>(r.top, v.top), bottom = std::min<int>(r.bottom, v.bottom);
    for (int y = top; y < bottom; ++y)
        PaintBrushSpan(dc, brush, y, r.left, r.right, rop2);
}

void PaintBrushRegion(Dc& dc, const BrushPainter& brush, const Region& region, int rop2)
{
    Bitmap* s = dc.Surface();
    if (s && !dc.state.clip && !brush.IsNull() && brush.IsSolid() && (s->bpp == 24 || s->bpp == 32)) {
        // Unclipped solid fills of the common depths, band by band: stems and beams are many thin bands, and
        // each row of them would otherwise go through the general span path.
        const uint32_t value = brush.SolidValue();
        for (const Band& band : region.Bands()) {
            int top = std::max(band.y0, 0), bottom = std::min(band.y1, s->height);
            if (top >= bottom)
                continue;
            for (const Span& sp : band.spans) {
                int a = std::max(sp.x0, 0), b = std::min(sp.x1, s->width);
                if (a >= b)
                    continue;
                s->Touch(top, a, b);
                s->Touch(bottom - 1, a, b);
                for (int y = top; y < bottom; ++y) {
                    if (s->bpp == 24)
                        RopRow24(s->Row(y) + 3 * (ptrdiff_t)a, b - a, value, rop2);
                    else
                        RopRow32(reinterpret_cast<uint32_t*>(s->Row(y)) + a, b - a, value, rop2);
                }
            }
        }
        return;
    }
    RECT v = VisibleBox(dc);
    for (const Band& band : region.Bands()) {
        int top = std::max<int>(band.y0, v.top), bottom = std::min<int>(band.y1, v.bottom);
        for (int y = top; y < bottom; ++y)
            for (const Span& sp : band.spans)
                PaintBrushSpan(dc, brush, y, sp.x0, sp.x1, rop2);
    }
}

}  // namespace gdi
