// Resolution of palette and colour-table references, and the two-colour rule of 1-bit DIBs.
#include "gdi/gdi_colour.h"

namespace gdi {

namespace {

bool IsDibIndex(COLORREF c) { return (c & 0xFFFF0000) == 0x10FF0000; }

// The index of the first table entry that is exactly the colour, or -1.
int ExactIndex(const Bitmap& s, COLORREF c)
{
    for (size_t i = 0; i < s.palette.size(); ++i)
        if (RGB(s.palette[i].rgbRed, s.palette[i].rgbGreen, s.palette[i].rgbBlue) == c)
            return (int)i;
    return -1;
}

}  // namespace

COLORREF ResolveColour(const Dc& dc, COLORREF c)
{
    if ((c >> 24) == 0x01) {
        const Palette* p = dc.state.palette.get();
        size_t i = c & 0xFFFF;
        if (!p || p->entries.empty())
            return 0;
        if (i >= p->entries.size())
            i = 0;
        const PALETTEENTRY& e = p->entries[i];
        return RGB(e.peRed, e.peGreen, e.peBlue);
    }
    return c & 0xFFFFFF;
}

uint32_t ColourValue(const Dc& dc, COLORREF c)
{
    const Bitmap* s = dc.Surface();
    if (!s)
        return 0;
    if (IsDibIndex(c))
        return s->Palettized() ? (c & 0xFFFF) & s->ValueMask() : s->ToValue(0);
    return s->ToValue(ResolveColour(dc, c));
}

uint32_t DrawingValue(const Dc& dc, COLORREF c)
{
    const Bitmap* s = dc.Surface();
    if (!s || s->bpp != 1 || !s->dib || IsDibIndex(c))
        return ColourValue(dc, c);
    COLORREF colour = ResolveColour(dc, c);
    int exact = ExactIndex(*s, colour);
    if (exact >= 0)
        return (uint32_t)exact;
    COLORREF bk = ResolveColour(dc, dc.state.bkColour);
    int bkIndex = ExactIndex(*s, bk);
    if (bkIndex < 0)
        bkIndex = s->NearestIndex(bk);
    return colour == bk ? (uint32_t)bkIndex : (uint32_t)(bkIndex ^ 1);
}

}  // namespace gdi
