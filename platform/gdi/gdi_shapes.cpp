// Lines, polylines, polygons, rectangles, ellipses, arcs, pies and chords, and single pixels.
#include <algorithm>
#include <cmath>

#include "gdi/gdi_colour.h"
#include "gdi/gdi_objects.h"
#include "gdi/gdi_pen.h"
#include "gdi/gdi_raster.h"
#include "gdi/gdi_scan.h"
#include "gdi/wingdi.h"

using namespace gdi;

namespace {

std::vector<POINT> ToDevice(const Dc& dc, const POINT* points, size_t count)
{
    std::vector<POINT> out(count);
    for (size_t i = 0; i < count; ++i)
        out[i] = dc.ToDevice(points[i].x, points[i].y);
    return out;
}

RECT DeviceBox(const Dc& dc, int l, int t, int r, int b)
{
    POINT a = dc.ToDevice(l, t), c = dc.ToDevice(r, b);
    CRect box(a.x, a.y, c.x, c.y);
    box.NormalizeRect();
    return box;
}

void FillShape(Dc& dc, const Region& shape)
{
    BrushPainter brush(dc, dc.state.brush.get());
    PaintBrushRegion(dc, brush, shape, dc.state.rop2);
}

// The pen of a closed figure: a one-pixel pen outlines the figure's own pixels; a wide pen strokes its border.
void DrawFigure(Dc& dc, RECT box, Region (*scan)(RECT, int, int), int p1, int p2)
{
    PenPainter pen(dc);
    const Pen* penObject = dc.state.pen.get();
    if (pen.IsNull()) {
        // Without a pen the figure is one pixel smaller, as the system draws it.
        FillShape(dc, scan(RECT{box.left, box.top, box.right - 1, box.bottom - 1}, p1, p2));
        return;
    }
    int w = pen.Width();
    if (penObject && penObject->style == PS_INSIDEFRAME && w > 1) {
        box.left += w / 2;
        box.top += w / 2;
        box.right -= (w - 1) / 2;
        box.bottom -= (w - 1) / 2;
    }
    Region shape = scan(box, p1, p2);
    if (w <= 1) {
        Region edge = Outline(shape);
        FillShape(dc, Region::Combine(shape, edge, RGN_DIFF));
        pen.Paint(edge);
        return;
    }
    int inner = w / 2, outer = (w - 1) / 2;
    Region inside = scan(RECT{box.left + inner, box.top + inner, box.right - inner, box.bottom - inner}, p1, p2);
    Region outside = scan(RECT{box.left - outer, box.top - outer, box.right + outer, box.bottom + outer}, p1, p2);
    FillShape(dc, inside);
    pen.Paint(Region::Combine(outside, inside, RGN_DIFF));
}

Region ScanEllipseBox(RECT b, int, int) { return ScanEllipse(b.left, b.top, b.right, b.bottom); }
Region ScanRoundBox(RECT b, int w, int h) { return ScanRoundRect(b.left, b.top, b.right, b.bottom, w, h); }

enum class ArcKind { Arc, Pie, Chord };

// Angle of the direction from the centre, counter-clockwise on the screen, in [0, 2 pi).
double ScreenAngle(double dx, double dy)
{
    double a = std::atan2(-dy, dx);
    return a < 0 ? a + 2 * M_PI : a;
}

BOOL DrawArc(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye, ArcKind kind)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    RECT box = DeviceBox(*dc, l, t, r, b);
    if (box.right - box.left < 1 || box.bottom - box.top < 1)
        return TRUE;
    POINT s = dc->ToDevice(xs, ys), e = dc->ToDevice(xe, ye);
    double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    double a0 = ScreenAngle(s.x + 0.5 - cx, s.y + 0.5 - cy);
    double a1 = ScreenAngle(e.x + 0.5 - cx, e.y + 0.5 - cy);
    if (dc->state.arcDirection == AD_CLOCKWISE)
        std::swap(a0, a1);
    double sweep = a1 - a0;
    if (sweep <= 0)
        sweep += 2 * M_PI;
    auto inSweep = [&](double px, double py) {
        double a = ScreenAngle(px - cx, py - cy) - a0;
        if (a < 0)
            a += 2 * M_PI;
        return a <= sweep + 1e-9;
    };
    Region shape = ScanEllipse(box.left, box.top, box.right, box.bottom);
    // Keeps the pixels of a region that pass a test on their centres.
    auto filter = [](const Region& in, auto test) {
        if (in.IsEmpty())
            return Region();
        Region out;
        std::vector<Span> row;
        for (const Band& band : in.Bands())
            for (int y = band.y0; y < band.y1; ++y) {
                row.clear();
                for (const Span& sp : band.spans)
                    for (int x = sp.x0; x < sp.x1; ++x)
                        if (test(x + 0.5, y + 0.5))
                            row.push_back(Span{x, x + 1});
                out.AppendRow(y, row);
            }
        return out;
    };
    PenPainter pen(*dc);
    // Pixels are tested one by one, so only the visible part of the figure is looked at.
    RECT v = VisibleBox(*dc);
    Region visible(v.left - 1, v.top - 1, v.right + 1, v.bottom + 1);
    Region edge = Region::Combine(Outline(shape), visible, RGN_AND);
    if (kind != ArcKind::Arc)
        shape = Region::Combine(shape, visible, RGN_AND);
    Region arcPixels = filter(edge, inSweep);
    // End points of the arc on the ellipse, for the straight edges of pies and chords.
    auto onEllipse = [&](double angle) {
        double rx = (box.right - box.left) / 2.0, ry = (box.bottom - box.top) / 2.0;
        double dx = std::cos(angle), dy = -std::sin(angle);
        double k = 1.0 / std::sqrt((dx * dx) / (rx * rx) + (dy * dy) / (ry * ry));
        return POINT{(LONG)std::lround(cx + dx * k - 0.5), (LONG)std::lround(cy + dy * k - 0.5)};
    };
    POINT p0 = onEllipse(a0), p1 = onEllipse(a0 + sweep);
    POINT centre{(LONG)std::floor(cx - 0.5 + 0.5), (LONG)std::floor(cy - 0.5 + 0.5)};
    if (kind == ArcKind::Pie) {
        FillShape(*dc, Region::Combine(filter(shape, inSweep), edge, RGN_DIFF));
    } else if (kind == ArcKind::Chord) {
        // The chord keeps the side of the line p0 -> p1 on which the arc lies.
        double nx = p1.y - p0.y, ny = -(p1.x - p0.x);
        double mid = a0 + sweep / 2;
        double side = nx * std::cos(mid) + ny * -std::sin(mid);
        auto inChord = [&](double px, double py) {
            double d = nx * (px - (p0.x + 0.5)) + ny * (py - (p0.y + 0.5));
            return side >= 0 ? d >= 0 : d <= 0;
        };
        FillShape(*dc, Region::Combine(filter(shape, inChord), edge, RGN_DIFF));
    }
    if (pen.Width() > 1) {
        // Wide pens stroke the arc as a polyline through points on the ellipse.
        std::vector<POINT> pts;
        int steps = std::clamp((int)(sweep * std::max(box.right - box.left, box.bottom - box.top) / 4), 8, 4096);
        for (int i = 0; i <= steps; ++i)
            pts.push_back(onEllipse(a0 + sweep * i / steps));
        if (kind == ArcKind::Pie) {
            pts.push_back(centre);
            pts.push_back(pts.front());
        } else if (kind == ArcKind::Chord) {
            pts.push_back(pts.front());
        }
        pen.Polyline(pts, kind != ArcKind::Arc);
        return TRUE;
    }
    pen.Paint(arcPixels);
    if (kind == ArcKind::Pie) {
        pen.Line(p1, centre);
        pen.Line(centre, p0);
    } else if (kind == ArcKind::Chord) {
        pen.Line(p1, p0);
    }
    return TRUE;
}

// The device position of a logical point, when it lies on the surface and inside the clip region.
bool VisiblePixel(const Dc& dc, int x, int y, POINT& p)
{
    const Bitmap* s = dc.Surface();
    if (!s)
        return false;
    p = dc.ToDevice(x, y);
    if (p.x < 0 || p.y < 0 || p.x >= s->width || p.y >= s->height)
        return false;
    return !dc.state.clip || dc.state.clip->Contains(p.x, p.y);
}

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->state.position;
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position)
{
    auto dc = LookupDc(hdc);
    if (!dc || !position)
        return FALSE;
    *position = dc->state.position;
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    POINT from = dc->ToDevice(dc->state.position.x, dc->state.position.y);
    POINT to = dc->ToDevice(x, y);
    if (dc->Surface())
        PenPainter(*dc).Line(from, to);
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count)
{
    auto dc = LookupDc(hdc);
    if (!dc || !points || count < 2)
        return FALSE;
    if (dc->Surface())
        PenPainter(*dc).Polyline(ToDevice(*dc, points, count));
    return TRUE;
}

BOOL PolylineTo(HDC hdc, const POINT* points, DWORD count)
{
    auto dc = LookupDc(hdc);
    if (!dc || (!points && count))
        return FALSE;
    std::vector<POINT> all{dc->state.position};
    all.insert(all.end(), points, points + count);
    if (dc->Surface())
        PenPainter(*dc).Polyline(ToDevice(*dc, all.data(), all.size()));
    if (count)
        dc->state.position = points[count - 1];
    return TRUE;
}

BOOL PolyPolyline(HDC hdc, const POINT* points, const DWORD* counts, DWORD polylines)
{
    if (!points || !counts)
        return FALSE;
    for (DWORD i = 0; i < polylines; ++i) {
        if (!Polyline(hdc, points, (int)counts[i]))
            return FALSE;
        points += counts[i];
    }
    return TRUE;
}

BOOL PolyPolygon(HDC hdc, const POINT* points, const INT* counts, int polygons)
{
    auto dc = LookupDc(hdc);
    if (!dc || !points || !counts || polygons < 1)
        return FALSE;
    std::vector<std::vector<POINT>> polys;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 2)
            return FALSE;
        polys.push_back(ToDevice(*dc, points, (size_t)counts[i]));
        points += counts[i];
    }
    if (!dc->Surface())
        return TRUE;
    RECT v = VisibleBox(*dc);
    FillShape(*dc, ScanPolygons(polys, dc->state.polyFillMode, RowRange{v.top, v.bottom}));
    PenPainter pen(*dc);
    for (auto& poly : polys) {
        poly.push_back(poly.front());
        pen.Polyline(poly, true);
    }
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* points, int count)
{
    INT n = count;
    return PolyPolygon(hdc, points, &n, 1);
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    RECT b = DeviceBox(*dc, left, top, right, bottom);
    PenPainter pen(*dc);
    BrushPainter brush(*dc, dc->state.brush.get());
    if (pen.IsNull()) {
        PaintBrushRect(*dc, brush, RECT{b.left, b.top, b.right - 1, b.bottom - 1}, dc->state.rop2);
        return TRUE;
    }
    int w = pen.Width();
    const Pen* penObject = dc->state.pen.get();
    if (penObject && penObject->style == PS_INSIDEFRAME && w > 1) {
        b.left += w / 2;
        b.top += w / 2;
        b.right -= (w - 1) / 2;
        b.bottom -= (w - 1) / 2;
    }
    if (b.right - b.left < 1 || b.bottom - b.top < 1)
        return TRUE;
    int inset = w <= 1 ? 1 : (w + 1) / 2;
    RECT inside{b.left + inset, b.top + inset, b.right - inset, b.bottom - inset};
    if (inside.left < inside.right && inside.top < inside.bottom)
        PaintBrushRect(*dc, brush, inside, dc->state.rop2);
    // The frame runs anticlockwise from the top right pixel, where a styled pen's pattern starts.
    std::vector<POINT> frame{{b.right - 1, b.top},
                             {b.left, b.top},
                             {b.left, b.bottom - 1},
                             {b.right - 1, b.bottom - 1},
                             {b.right - 1, b.top}};
    if (w <= 1 && (b.right - b.left == 1 || b.bottom - b.top == 1)) {
        // A one-pixel-thin rectangle is one line over its pixels, so that each is drawn once; a single pixel draws
        // none.
        if (b.right - b.left == 1 && b.bottom - b.top == 1)
            return TRUE;
        if (b.bottom - b.top == 1)
            pen.Line(POINT{b.right - 1, b.top}, POINT{b.left - 1, b.top});
        else
            pen.Line(POINT{b.left, b.top}, POINT{b.left, b.bottom});
        return TRUE;
    }
    if (w > 1) {
        RECT v = VisibleBox(*dc);
        Region ring =
            Region::Combine(ScanStroke(frame, pen.Stroke(true), RowRange{v.top, v.bottom}),
                            Region(b.left + inset, b.top + inset, b.right - inset, b.bottom - inset), RGN_DIFF);
        pen.Paint(ring);
        return TRUE;
    }
    pen.Polyline(frame);
    return TRUE;
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    DrawFigure(*dc, DeviceBox(*dc, left, top, right, bottom), ScanRoundBox, width, height);
    return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    if (!dc->Surface())
        return TRUE;
    DrawFigure(*dc, DeviceBox(*dc, left, top, right, bottom), ScanEllipseBox, 0, 0);
    return TRUE;
}

BOOL Arc(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return DrawArc(hdc, l, t, r, b, xs, ys, xe, ye, ArcKind::Arc);
}

BOOL ArcTo(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    if (!DrawArc(hdc, l, t, r, b, xs, ys, xe, ye, ArcKind::Arc))
        return FALSE;
    return MoveToEx(hdc, xe, ye, nullptr);
}

BOOL Pie(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return DrawArc(hdc, l, t, r, b, xs, ys, xe, ye, ArcKind::Pie);
}

BOOL Chord(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return DrawArc(hdc, l, t, r, b, xs, ys, xe, ye, ArcKind::Chord);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour)
{
    auto dc = LookupDc(hdc);
    POINT p;
    if (!dc || !VisiblePixel(*dc, x, y, p))
        return CLR_INVALID;
    uint32_t v = ColourValue(*dc, colour);
    PaintPixel(*dc, p.x, p.y, v, dc->state.rop2);
    return dc->Surface()->ToColor(v);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF colour) { return SetPixel(hdc, x, y, colour) != CLR_INVALID; }

COLORREF GetPixel(HDC hdc, int x, int y)
{
    auto dc = LookupDc(hdc);
    POINT p;
    if (!dc || !VisiblePixel(*dc, x, y, p))
        return CLR_INVALID;
    Bitmap* s = dc->Surface();
    return s->ToColor(s->Get(p.x, p.y));
}
