// System colours, and the pictures of the standard controls: edges, frame controls and focus rectangles.
#include <algorithm>
#include <mutex>

#include "gdi/gdi_objects.h"
#include "gdi/gdi_raster.h"
#include "gdi/wingdi.h"

using namespace gdi;

namespace {

const COLORREF kSysColours[31] = {RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128),
                                  RGB(212, 208, 200), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
                                  RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
                                  RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255), RGB(212, 208, 200),
                                  RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
                                  RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),
                                  RGB(255, 255, 225), RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240),
                                  RGB(192, 192, 192), RGB(10, 36, 106),   RGB(212, 208, 200)};

// Device-space fill of [l, r) x [t, b) with a colour, clipped.
void Fill(Dc& dc, int l, int t, int r, int b, COLORREF colour)
{
    RECT visible = VisibleBox(dc);
    t = std::max<int>(t, visible.top);
    b = std::min<int>(b, visible.bottom);
    if (!dc.Surface() || l >= r || t >= b)
        return;
    uint32_t v = dc.Surface()->ToValue(colour);
    for (int y = t; y < b; ++y)
        PaintSpan(dc, y, l, r, v, R2_COPYPEN);
}

void Pixel(Dc& dc, int x, int y, COLORREF colour)
{
    if (dc.Surface())
        PaintPixel(dc, x, y, dc.Surface()->ToValue(colour), R2_COPYPEN);
}

// One ring of an edge: top and left in one colour, bottom and right (owning the two far corners) in another.
void Ring(Dc& dc, RECT r, COLORREF topLeft, COLORREF bottomRight)
{
    if (r.right - r.left < 1 || r.bottom - r.top < 1)
        return;
    Fill(dc, r.left, r.top, r.right - 1, r.top + 1, topLeft);
    Fill(dc, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
    Fill(dc, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
    Fill(dc, r.right - 1, r.top, r.right, r.bottom, bottomRight);
}

// Draws the sides of an edge that the flags name; returns the rectangle inside it.
RECT Edge(Dc& dc, RECT r, UINT edge, UINT flags)
{
    struct Colours {
        int tl, br;
    };
    auto pick = [&](bool raised, bool outer) -> Colours {
        if (flags & BF_MONO)
            return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
        if (flags & BF_FLAT)
            return {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
        if (outer)
            return raised ? Colours{COLOR_3DLIGHT, COLOR_3DDKSHADOW} : Colours{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
        return raised ? Colours{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW} : Colours{COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    };
    auto ring = [&](Colours c) {
        COLORREF tl = kSysColours[c.tl], br = kSysColours[c.br];
        if (flags & BF_TOP)
            Fill(dc, r.left, r.top, r.right - ((flags & BF_RIGHT) ? 1 : 0), r.top + 1, tl);
        if (flags & BF_LEFT)
            Fill(dc, r.left, r.top, r.left + 1, r.bottom - ((flags & BF_BOTTOM) ? 1 : 0), tl);
        if (flags & BF_BOTTOM)
            Fill(dc, r.left, r.bottom - 1, r.right, r.bottom, br);
        if (flags & BF_RIGHT)
            Fill(dc, r.right - 1, r.top, r.right, r.bottom, br);
        if (flags & BF_LEFT)
            ++r.left;
        if (flags & BF_TOP)
            ++r.top;
        if (flags & BF_RIGHT)
            --r.right;
        if (flags & BF_BOTTOM)
            --r.bottom;
    };
    if (edge & BDR_OUTER)
        ring(pick((edge & BDR_RAISEDOUTER) != 0, true));
    if (edge & BDR_INNER)
        ring(pick((edge & BDR_RAISEDINNER) != 0, false));
    if (flags & BF_MIDDLE)
        Fill(dc, r.left, r.top, r.right, r.bottom, kSysColours[COLOR_BTNFACE]);
    return r;
}

// A filled arrow triangle pointing in a direction (0 up, 1 down, 2 left, 3 right), centred in the rectangle;
// its size follows the whole control's size.
void Arrow(Dc& dc, RECT r, int direction, COLORREF colour, int controlSize)
{
    int height = std::clamp((controlSize - 4) / 3, 1, 256);
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    for (int i = 0; i < height; ++i) {
        int half = direction == 0 || direction == 2 ? i : height - 1 - i;
        if (direction <= 1) {
            int y = cy - height / 2 + i;
            Fill(dc, cx - half, y, cx + half + 1, y + 1, colour);
        } else {
            int x = cx - height / 2 + i;
            Fill(dc, x, cy - half, x + 1, cy + half + 1, colour);
        }
    }
}

void CheckMark(Dc& dc, RECT r, COLORREF colour)
{
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    int x0 = cx - 3, y0 = cy - 1;
    // Seven columns: the short stroke down to the right, then the long stroke up to the right, three pixels tall.
    static const int drop[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i)
        Fill(dc, x0 + i, y0 + drop[i] - 2, x0 + i + 1, y0 + drop[i] + 1, colour);
}

void SizeGrip(Dc& dc, RECT r)
{
    Fill(dc, r.left, r.top, r.right, r.bottom, kSysColours[COLOR_BTNFACE]);
    int size = std::min(r.right - r.left, r.bottom - r.top);
    // Three ridges along the diagonal: two shadow lines and one highlight line each.
    for (int d = 1; d < size && d <= 12; ++d) {
        int m = (d - 1) % 4;
        if (m == 3)
            continue;
        COLORREF c = m == 0 ? kSysColours[COLOR_BTNHIGHLIGHT] : kSysColours[COLOR_BTNSHADOW];
        for (int i = 0; i < d; ++i)
            Pixel(dc, r.right - d + i, r.bottom - 1 - i, c);
    }
}

RECT DeviceRect(const Dc& dc, const RECT* rect)
{
    POINT a = dc.ToDevice(rect->left, rect->top), b = dc.ToDevice(rect->right, rect->bottom);
    return RECT{a.x, a.y, b.x, b.y};
}

}  // namespace

DWORD GetSysColor(int index)
{
    if (index < 0 || index > 30)
        return 0;
    return kSysColours[index];
}

HBRUSH GetSysColorBrush(int index)
{
    static std::mutex m;
    static HGDIOBJ brushes[31] = {};
    if (index < 0 || index > 30)
        return nullptr;
    std::lock_guard<std::mutex> lock(m);
    if (!brushes[index]) {
        auto b = std::make_shared<Brush>();
        b->colour = kSysColours[index];
        b->stock = true;
        brushes[index] = Register(b);
    }
    return (HBRUSH)brushes[index];
}

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags)
{
    auto dc = LookupDc(hdc);
    if (!dc || !rect)
        return FALSE;
    RECT inside = Edge(*dc, DeviceRect(*dc, rect), edge, flags);
    if (flags & BF_ADJUST) {
        POINT a = dc->ToLogical(inside.left, inside.top), b = dc->ToLogical(inside.right, inside.bottom);
        *rect = RECT{a.x, a.y, b.x, b.y};
    }
    return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect)
{
    auto dc = LookupDc(hdc);
    if (!dc || !rect)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    RECT r = DeviceRect(*dc, rect);
    if (r.right - r.left < 1 || r.bottom - r.top < 1)
        return TRUE;
    uint32_t white = dc->Surface()->ToValue(RGB(255, 255, 255));
    auto dot = [&](int x, int y) {
        if (((x - r.left) + (y - r.top)) % 2 == 0)
            PaintPixel(*dc, x, y, white, R2_XORPEN);
    };
    RECT v = VisibleBox(*dc);
    for (int x = std::max<int>(r.left, v.left); x < std::min<int>(r.right, v.right); ++x) {
        dot(x, r.top);
        if (r.bottom - 1 != r.top)
            dot(x, r.bottom - 1);
    }
    for (int y = std::max<int>(r.top + 1, v.top); y < std::min<int>(r.bottom - 1, v.bottom); ++y) {
        dot(r.left, y);
        if (r.right - 1 != r.left)
            dot(r.right - 1, y);
    }
    return TRUE;
}

BOOL DrawFrameControl(HDC hdc, LPRECT rect, UINT type, UINT state)
{
    auto dc = LookupDc(hdc);
    if (!dc || !rect)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    RECT r = DeviceRect(*dc, rect);
    bool pushed = (state & DFCS_PUSHED) != 0;
    bool inactive = (state & DFCS_INACTIVE) != 0;
    auto button = [&]() {
        RECT inside;
        if (state & DFCS_FLAT) {
            Fill(*dc, r.left, r.top, r.right, r.bottom, kSysColours[COLOR_BTNFACE]);
            if (pushed)
                Ring(*dc, r, kSysColours[COLOR_BTNSHADOW], kSysColours[COLOR_BTNSHADOW]);
            inside = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        } else if (pushed) {
            Fill(*dc, r.left, r.top, r.right, r.bottom, kSysColours[COLOR_BTNFACE]);
            Ring(*dc, r, kSysColours[COLOR_BTNSHADOW], kSysColours[COLOR_BTNSHADOW]);
            inside = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        } else {
            inside = Edge(*dc, r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        }
        if (pushed)
            OffsetRect(&inside, 1, 1);
        return inside;
    };
    auto glyph = [&](auto draw, RECT where) {
        if (inactive) {
            RECT shadow = where;
            OffsetRect(&shadow, 1, 1);
            draw(shadow, kSysColours[COLOR_BTNHIGHLIGHT]);
            draw(where, kSysColours[COLOR_GRAYTEXT]);
        } else {
            draw(where, kSysColours[COLOR_BTNTEXT]);
        }
    };
    switch (type) {
    case DFC_SCROLL: {
        UINT kind = state & 0x1F;
        if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
            SizeGrip(*dc, r);
            return TRUE;
        }
        RECT inside = button();
        int direction = kind == DFCS_SCROLLUP ? 0 : kind == DFCS_SCROLLLEFT ? 2 : kind == DFCS_SCROLLRIGHT ? 3 : 1;
        int size = std::min(r.right - r.left, r.bottom - r.top);
        glyph([&](RECT w, COLORREF c) { Arrow(*dc, w, direction, c, size); }, inside);
        return TRUE;
    }
    case DFC_MENU: {
        // Menu pictures are drawn black on white, for use as masks.
        Fill(*dc, r.left, r.top, r.right, r.bottom, RGB(255, 255, 255));
        UINT kind = state & 0xFF;
        if (kind == DFCS_MENUCHECK) {
            CheckMark(*dc, r, RGB(0, 0, 0));
        } else if (kind == DFCS_MENUBULLET) {
            int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
            Fill(*dc, cx - 1, cy - 2, cx + 2, cy + 3, RGB(0, 0, 0));
            Fill(*dc, cx - 2, cy - 1, cx + 3, cy + 2, RGB(0, 0, 0));
        } else {
            Arrow(*dc, r, 3, RGB(0, 0, 0), std::min(r.right - r.left, r.bottom - r.top));
        }
        return TRUE;
    }
    case DFC_BUTTON: {
        UINT kind = state & 0x1F;
        if (kind & DFCS_BUTTONPUSH) {
            button();
            return TRUE;
        }
        int size = std::min({13, (int)(r.right - r.left), (int)(r.bottom - r.top)});
        RECT box{r.left, r.top + (r.bottom - r.top - size) / 2, r.left + size,
                 r.top + (r.bottom - r.top - size) / 2 + size};
        RECT inside = Edge(*dc, box, EDGE_SUNKEN, BF_RECT);
        Fill(*dc, inside.left, inside.top, inside.right, inside.bottom,
             (pushed || inactive) ? kSysColours[COLOR_BTNFACE] : kSysColours[COLOR_WINDOW]);
        if (state & DFCS_CHECKED) {
            COLORREF c = inactive ? kSysColours[COLOR_GRAYTEXT] : kSysColours[COLOR_WINDOWTEXT];
            if (kind & DFCS_BUTTONRADIO) {
                int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
                Fill(*dc, cx - 1, cy - 2, cx + 2, cy + 3, c);
                Fill(*dc, cx - 2, cy - 1, cx + 3, cy + 2, c);
            } else {
                CheckMark(*dc, inside, c);
            }
        }
        return TRUE;
    }
    case DFC_CAPTION: {
        RECT inside = button();
        UINT kind = state & 0x0F;
        glyph(
            [&](RECT w, COLORREF c) {
                int s = std::max(3, std::min(w.right - w.left, w.bottom - w.top) - 6);
                int x0 = (w.left + w.right - s) / 2, y0 = (w.top + w.bottom - s) / 2;
                if (kind == DFCS_CAPTIONCLOSE) {
                    for (int i = 0; i < s; ++i) {
                        Fill(*dc, x0 + i, y0 + i, x0 + i + 2, y0 + i + 1, c);
                        Fill(*dc, x0 + s - 1 - i, y0 + i, x0 + s + 1 - i, y0 + i + 1, c);
                    }
                } else if (kind == DFCS_CAPTIONMIN) {
                    Fill(*dc, x0, y0 + s - 2, x0 + s - 2, y0 + s, c);
                } else {
                    Ring(*dc, RECT{x0, y0, x0 + s, y0 + s}, c, c);
                    Fill(*dc, x0, y0 + 1, x0 + s, y0 + 2, c);
                }
            },
            inside);
        return TRUE;
    }
    default: return FALSE;
    }
}
