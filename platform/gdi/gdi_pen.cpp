// Pen drawing with the system's line rules.
#include "gdi/gdi_pen.h"

#include <algorithm>

#include "gdi/gdi_colour.h"
#include "gdi/gdi_raster.h"
#include "gdi/gdi_scan.h"

namespace gdi {

namespace {

// On and off run lengths of the styled cosmetic pens.
const std::vector<int>& StylePattern(int style)
{
    static const std::vector<int> dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3},
        alternate{1, 1}, solid{};
    switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    case PS_ALTERNATE: return alternate;
    default: return solid;
    }
}

// floor(n / d) for d > 0.
int64_t FloorDiv(int64_t n, int64_t d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }

}  // namespace

PenPainter::PenPainter(Dc& dc) : m_dc(dc)
{
    const Pen* pen = dc.state.pen.get();
    const Bitmap* s = dc.Surface();
    if (!pen || !s || pen->style == PS_NULL) {
        m_null = true;
        return;
    }
    m_width = pen->width;
    m_style = pen->style;
    m_endCap = pen->endCap;
    m_join = pen->join;
    m_brush = pen->width > 1 ? pen->brush.get() : nullptr;
    m_value = DrawingValue(dc, pen->dcPen ? dc.state.dcPenColour : pen->colour);
    m_bkValue = ColourValue(dc, dc.state.bkColour);
}

bool PenPainter::StyleOn()
{
    const std::vector<int>& pattern = StylePattern(m_style);
    if (pattern.empty())
        return true;
    int total = 0;
    for (int n : pattern)
        total += n;
    int pos = m_styleStep % total;
    ++m_styleStep;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pos < pattern[i])
            return i % 2 == 0;
        pos -= pattern[i];
    }
    return true;
}

void PenPainter::Line(POINT a, POINT b)
{
    if (m_null)
        return;
    if (m_width > 1) {
        RECT v = VisibleBox(m_dc);
        Paint(ScanStroke({a, b}, Stroke(false), RowRange{v.top, v.bottom}));
        return;
    }
    int64_t dx = (int64_t)b.x - a.x, dy = (int64_t)b.y - a.y;
    int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    int64_t major = std::max(adx, ady);
    if (major == 0)
        return;
    bool xMajor = adx >= ady;
    int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    // Only the steps whose major coordinate is on the visible box are walked.
    RECT v = VisibleBox(m_dc);
    if (v.left >= v.right)
        return;
    int64_t first = 0, last = major - 1;
    int64_t start = xMajor ? a.x : a.y;
    int64_t lo = xMajor ? v.left : v.top, hi = (xMajor ? v.right : v.bottom) - 1;
    int step = xMajor ? sx : sy;
    if (step > 0) {
        first = std::max(first, lo - start);
        last = std::min(last, hi - start);
    } else {
        first = std::max(first, start - hi);
        last = std::min(last, start - lo);
    }
    bool styled = !StylePattern(m_style).empty();
    if (styled && first > 0)
        m_styleStep += (int)(first % 1000000);
    int rop = m_dc.state.rop2;
    if (!styled && dy == 0) {
        // A solid horizontal line is one span of the same pixels.
        if (first <= last) {
            int64_t from = a.x + sx * first, to = a.x + sx * last;
            PaintSpan(m_dc, a.y, (int)std::min(from, to), (int)std::max(from, to) + 1, m_value, rop);
        }
        return;
    }
    bool opaqueGaps = m_dc.state.bkMode == OPAQUE;
    for (int64_t i = first; i <= last; ++i) {
        int64_t x, y;
        // The minor coordinate is rounded to nearest; exact ties go to the smaller coordinate.
        if (xMajor) {
            x = a.x + sx * i;
            y = a.y + FloorDiv(2 * i * dy + adx - 1, 2 * adx);
        } else {
            y = a.y + sy * i;
            x = a.x + FloorDiv(2 * i * dx + ady - 1, 2 * ady);
        }
        if (!styled || StyleOn())
            PaintPixel(m_dc, (int)x, (int)y, m_value, rop);
        else if (opaqueGaps)
            PaintPixel(m_dc, (int)x, (int)y, m_bkValue, rop);
    }
    if (styled && last + 1 < major)
        m_styleStep += (int)((major - 1 - std::max(last, first - 1)) % 1000000);
}

void PenPainter::Polyline(const std::vector<POINT>& points, bool closed)
{
    if (m_null || points.size() < 2)
        return;
    if (m_width > 1) {
        RECT v = VisibleBox(m_dc);
        Paint(ScanStroke(points, Stroke(closed), RowRange{v.top, v.bottom}));
        return;
    }
    for (size_t i = 0; i + 1 < points.size(); ++i)
        Line(points[i], points[i + 1]);
}

void PenPainter::Paint(const Region& pixels)
{
    if (m_null)
        return;
    int rop = m_dc.state.rop2;
    if (m_brush) {
        PaintBrushRegion(m_dc, BrushPainter(m_dc, m_brush), pixels, rop);
        return;
    }
    RECT v = VisibleBox(m_dc);
    for (const Band& band : pixels.Bands()) {
        int top = std::max<int>(band.y0, v.top), bottom = std::min<int>(band.y1, v.bottom);
        for (int y = top; y < bottom; ++y)
            for (const Span& s : band.spans)
                PaintSpan(m_dc, y, s.x0, s.x1, m_value, rop);
    }
}

}  // namespace gdi
