// Region functions: creation, combination, queries and region data, and filling, framing and inverting regions.
#include <algorithm>
#include <cstring>

#include "gdi/gdi_objects.h"
#include "gdi/gdi_raster.h"
#include "gdi/gdi_scan.h"
#include "gdi/wingdi.h"

using namespace gdi;

namespace {

HRGN MakeRegion(Region r)
{
    auto o = std::make_shared<RegionObject>();
    o->region = std::move(r);
    return (HRGN)Register(o);
}

std::shared_ptr<RegionObject> Rgn(HRGN h) { return LookupAs<RegionObject>(h, OBJ_REGION); }

// System-colour brushes may be given as the colour index + 1.
std::shared_ptr<Brush> BrushOf(HBRUSH h)
{
    uintptr_t v = (uintptr_t)h;
    if (v >= 1 && v <= 31)
        return LookupAs<Brush>(GetSysColorBrush((int)v - 1), OBJ_BRUSH);
    return LookupAs<Brush>(h, OBJ_BRUSH);
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) { return MakeRegion(Region(left, top, right, bottom)); }

HRGN CreateRectRgnIndirect(const RECT* rect)
{
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom)
{
    return MakeRegion(ScanEllipse(left, top, right, bottom));
}

HRGN CreateEllipticRgnIndirect(const RECT* rect)
{
    return rect ? CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height)
{
    return MakeRegion(ScanRoundRect(left, top, right, bottom, width, height));
}

HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int mode)
{
    if (!points || !counts || polygons < 1 || (mode != ALTERNATE && mode != WINDING))
        return nullptr;
    for (int i = 0; i < polygons; ++i)
        if (counts[i] < 0)
            return nullptr;
    // Scratch kept per thread: stems and beams make regions by the thousand per page.
    thread_local std::vector<std::vector<POINT>> polys;
    polys.resize((size_t)polygons);
    for (int i = 0; i < polygons; ++i) {
        polys[i].assign(points, points + counts[i]);
        points += counts[i];
    }
    return MakeRegion(ScanPolygons(polys, mode));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int mode)
{
    INT n = count;
    return CreatePolyPolygonRgn(points, &n, 1, mode);
}

HRGN ExtCreateRegion(const void* transform, DWORD count, const RGNDATA* data)
{
    if (!data || count < sizeof(RGNDATAHEADER) || data->rdh.iType != RDH_RECTANGLES)
        return nullptr;
    if ((uint64_t)data->rdh.nCount * sizeof(RECT) + data->rdh.dwSize > count)
        return nullptr;
    const RECT* rects = reinterpret_cast<const RECT*>(reinterpret_cast<const char*>(data) + data->rdh.dwSize);
    Region r;
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        RECT rc;
        std::memcpy(&rc, rects + i, sizeof rc);
        r = Region::Combine(r, Region(rc.left, rc.top, rc.right, rc.bottom), RGN_OR);
    }
    return MakeRegion(std::move(r));
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom)
{
    auto r = Rgn(region);
    if (!r)
        return FALSE;
    r->region.SetRect(left, top, right, bottom);
    return TRUE;
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode)
{
    auto d = Rgn(dest), ra = Rgn(a);
    if (!d || !ra || mode < RGN_AND || mode > RGN_COPY)
        return ERROR;
    if (mode == RGN_COPY) {
        d->region = ra->region;
        return d->region.Kind();
    }
    auto rb = Rgn(b);
    if (!rb)
        return ERROR;
    if (d == ra && rb->region.Kind() == SIMPLEREGION && (mode == RGN_OR || mode == RGN_DIFF)) {
        RECT r = rb->region.Box();
        d->region.CombineRect(r.left, r.top, r.right, r.bottom, mode);
        return d->region.Kind();
    }
    d->region = Region::Combine(ra->region, rb->region, mode);
    return d->region.Kind();
}

BOOL EqualRgn(HRGN a, HRGN b)
{
    auto ra = Rgn(a), rb = Rgn(b);
    if (!ra || !rb)
        return ERROR;
    return ra->region == rb->region;
}

int OffsetRgn(HRGN region, int dx, int dy)
{
    auto r = Rgn(region);
    if (!r)
        return ERROR;
    r->region.Offset(dx, dy);
    return r->region.Kind();
}

int GetRgnBox(HRGN region, LPRECT rect)
{
    auto r = Rgn(region);
    if (!r || !rect)
        return ERROR;
    *rect = r->region.Box();
    return r->region.Kind();
}

BOOL PtInRegion(HRGN region, int x, int y)
{
    auto r = Rgn(region);
    return r && r->region.Contains(x, y);
}

BOOL RectInRegion(HRGN region, const RECT* rect)
{
    auto r = Rgn(region);
    if (!r || !rect)
        return FALSE;
    CRect rc(rect);
    rc.NormalizeRect();
    return r->region.Intersects(rc);
}

DWORD GetRegionData(HRGN region, DWORD size, LPRGNDATA data)
{
    auto r = Rgn(region);
    if (!r)
        return 0;
    std::vector<RECT> rects = r->region.Rects();
    DWORD needed = (DWORD)(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    if (!data)
        return needed;
    if (size < needed)
        return 0;
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = (DWORD)rects.size();
    data->rdh.nRgnSize = (DWORD)(rects.size() * sizeof(RECT));
    data->rdh.rcBound = r->region.Box();
    if (!rects.empty())
        std::memcpy(reinterpret_cast<char*>(data) + sizeof(RGNDATAHEADER), rects.data(), data->rdh.nRgnSize);
    return needed;
}

namespace {

Region ToDeviceRegion(const Dc& dc, const Region& r)
{
    Region out = r;
    POINT o = dc.ToDevice(0, 0);
    out.Offset(o.x, o.y);
    return out;
}

// The rectangle in device coordinates; false when it is empty there and nothing is to be painted.
bool ToDeviceRect(const Dc& dc, const RECT& rect, RECT& out)
{
    POINT a = dc.ToDevice(rect.left, rect.top), c = dc.ToDevice(rect.right, rect.bottom);
    out = RECT{a.x, a.y, c.x, c.y};
    return a.x < c.x && a.y < c.y;
}

}  // namespace

BOOL FillRgn(HDC hdc, HRGN region, HBRUSH brush)
{
    auto dc = LookupDc(hdc);
    auto r = Rgn(region);
    auto b = BrushOf(brush);
    if (!dc || !r || !b)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    // Without an origin shift the region is painted as it is, not copied.
    POINT o = dc->ToDevice(0, 0);
    if (o.x == 0 && o.y == 0)
        PaintBrushRegion(*dc, BrushPainter(*dc, b.get()), r->region, R2_COPYPEN);
    else
        PaintBrushRegion(*dc, BrushPainter(*dc, b.get()), ToDeviceRegion(*dc, r->region), R2_COPYPEN);
    return TRUE;
}

BOOL PaintRgn(HDC hdc, HRGN region)
{
    auto dc = LookupDc(hdc);
    auto r = Rgn(region);
    if (!dc || !r)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    PaintBrushRegion(*dc, BrushPainter(*dc, dc->state.brush.get()), ToDeviceRegion(*dc, r->region), dc->state.rop2);
    return TRUE;
}

BOOL InvertRgn(HDC hdc, HRGN region)
{
    auto dc = LookupDc(hdc);
    auto r = Rgn(region);
    if (!dc || !r)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    Brush black;
    PaintBrushRegion(*dc, BrushPainter(*dc, &black), ToDeviceRegion(*dc, r->region), R2_NOT);
    return TRUE;
}

BOOL FrameRgn(HDC hdc, HRGN region, HBRUSH brush, int width, int height)
{
    auto dc = LookupDc(hdc);
    auto r = Rgn(region);
    auto b = BrushOf(brush);
    if (!dc || !r || !b || width < 0 || height < 0)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    // The frame is the region minus the region shrunk by width and height (intersection of its shifted copies).
    const Region& shape = r->region;
    Region inner = shape;
    const POINT shifts[4] = {{-width, 0}, {width, 0}, {0, -height}, {0, height}};
    for (const POINT& d : shifts) {
        Region moved = shape;
        moved.Offset(d.x, d.y);
        inner = Region::Combine(inner, moved, RGN_AND);
    }
    Region frame = Region::Combine(shape, inner, RGN_DIFF);
    PaintBrushRegion(*dc, BrushPainter(*dc, b.get()), ToDeviceRegion(*dc, frame), R2_COPYPEN);
    return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush)
{
    auto dc = LookupDc(hdc);
    auto b = BrushOf(brush);
    if (!dc || !rect || !b)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    RECT box;
    if (!ToDeviceRect(*dc, *rect, box))
        return TRUE;
    PaintBrushRect(*dc, BrushPainter(*dc, b.get()), box, R2_COPYPEN);
    return TRUE;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush)
{
    auto dc = LookupDc(hdc);
    auto b = BrushOf(brush);
    if (!dc || !rect || !b)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    RECT box;
    if (!ToDeviceRect(*dc, *rect, box))
        return TRUE;
    BrushPainter painter(*dc, b.get());
    Region frame = Region::Combine(Region(box.left, box.top, box.right, box.bottom),
                                   Region(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1), RGN_DIFF);
    PaintBrushRegion(*dc, painter, frame, R2_COPYPEN);
    return TRUE;
}

BOOL InvertRect(HDC hdc, const RECT* rect)
{
    auto dc = LookupDc(hdc);
    if (!dc || !rect)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    RECT box;
    if (!ToDeviceRect(*dc, *rect, box))
        return TRUE;
    Brush black;
    PaintBrushRect(*dc, BrushPainter(*dc, &black), box, R2_NOT);
    return TRUE;
}
