// Pen drawing: cosmetic one-pixel lines (end pixel left out, styled dashes) and wide strokes.
#pragma once

#include <vector>

#include "gdi/gdi_objects.h"
#include "gdi/gdi_scan.h"

namespace gdi {

class PenPainter {
public:
    PenPainter(Dc& dc);
    bool IsNull() const { return m_null; }
    int Width() const { return m_width; }
    // A line in device coordinates; the last pixel is not drawn.
    void Line(POINT a, POINT b);
    // A polyline in device coordinates; a closed figure repeats its first point at the end.
    void Polyline(const std::vector<POINT>& points, bool closed = false);
    // Paints a set of pixels (such as an outline) with the pen's colour or brush.
    void Paint(const Region& pixels);
    // How the pen strokes wide lines.
    StrokeStyle Stroke(bool closed) const { return StrokeStyle{m_width, m_endCap, m_join, closed}; }

private:
    bool StyleOn();
    Dc& m_dc;
    bool m_null = false;
    int m_width = 1;
    int m_style = PS_SOLID;
    int m_endCap = PS_ENDCAP_ROUND;
    int m_join = PS_JOIN_ROUND;
    const Brush* m_brush = nullptr;
    uint32_t m_value = 0;
    uint32_t m_bkValue = 0;
    int m_styleStep = 0;
};

}  // namespace gdi
