// Pen drawing: cosmetic one-pixel lines (end pixel left out, styled dashes) and wide strokes.
#pragma once

#include <vector>

#include "gdi/gdi_objects.h"

namespace gdi {

class PenPainter {
public:
    PenPainter(Dc& dc);
    bool IsNull() const { return m_null; }
    int Width() const { return m_width; }
    // A line in device coordinates; the last pixel is not drawn.
    void Line(POINT a, POINT b);
    // A polyline in device coordinates (closed when the caller repeats the first point).
    void Polyline(const std::vector<POINT>& points);
    // Paints a set of pixels (such as an outline) with the pen's colour.
    void Paint(const Region& pixels);

private:
    bool StyleOn();
    Dc& m_dc;
    bool m_null = false;
    int m_width = 1;
    int m_style = PS_SOLID;
    int m_endCap = PS_ENDCAP_ROUND;
    uint32_t m_value = 0;
    uint32_t m_bkValue = 0;
    int m_styleStep = 0;
};

}  // namespace gdi
