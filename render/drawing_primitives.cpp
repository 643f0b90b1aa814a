// The drawing primitives of the notation.
#include "render/drawing_primitives.h"

#include <algorithm>
#include <cmath>

void DrawBar(CDC* dc, double x, int top, int bottom, double width)
{
    width = std::max(width, 1.0);
    CBrush brush(RGB(0, 0, 0));
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush* oldBrush = dc->SelectObject(&brush);
    CPen* oldPen = dc->SelectObject(&pen);
    // std::lround rounds halves away from zero.
    dc->Rectangle((int)std::lround(x - width / 2), top, (int)std::lround(x + width / 2), bottom);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

static void FillBand(CDC* dc, POINT p1, POINT p2, double width, COLORREF colour, bool vertical)
{
    int h1 = (int)(width / 2);
    int h2 = (int)(width - h1);
    if (h1 == 0 && h2 == 0)
        h2 = 1;
    POINT points[5];
    if (vertical) {
        points[0] = {p1.x, p1.y - h1};
        points[1] = {p1.x, p1.y + h2};
        points[2] = {p2.x, p2.y + h2};
        points[3] = {p2.x, p2.y - h1};
    } else {
        points[0] = {p1.x + h1, p1.y};
        points[1] = {p1.x - h2, p1.y};
        points[2] = {p2.x - h2, p2.y};
        points[3] = {p2.x + h1, p2.y};
    }
    points[4] = points[0];
    // Plain handles: stems and beams are many, and no wrapper object is needed for one fill.
    HRGN region = ::CreatePolygonRgn(points, 5, WINDING);
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRgn(dc->GetSafeHdc(), region, brush);
    ::DeleteObject(brush);
    ::DeleteObject(region);
}

void FillBeamSegment(CDC* dc, POINT p1, POINT p2, double width, COLORREF colour)
{
    FillBand(dc, p1, p2, width, colour, true);
}

void FillStemSegment(CDC* dc, POINT p1, POINT p2, double width, COLORREF colour)
{
    FillBand(dc, p1, p2, width, colour, false);
}

double Interpolate(int x0, int y0, int x1, int y1, double x)
{
    if (x1 == x0)
        return y0;
    return y0 + (x - x0) * (double)(y1 - y0) / (double)(x1 - x0);
}

void DrawDotPair(CDC* dc, int x, int y, double size)
{
    CPen pen(PS_SOLID, std::max(1, (int)(size / 2 - 1)), RGB(0, 0, 0));
    CPen* old = dc->SelectObject(&pen);
    for (int d : {(int)(y - size / 2), (int)(y + size / 2)}) {
        dc->MoveTo(x, d);
        dc->LineTo(x, d + 1);
    }
    dc->SelectObject(old);
}
