// The raster core: clipped spans and pixels with the binary and ternary raster operations, and brush patterns.
#pragma once

#include <vector>

#include "gdi/gdi_objects.h"

namespace gdi {

// The result of a binary raster operation (R2_*) on a pen value and a destination value.
uint32_t Rop2(int mode, uint32_t pen, uint32_t dest);
// The result of a ternary raster operation (the code's middle byte) on pattern, source and destination values.
uint32_t Rop3(uint8_t code, uint32_t pattern, uint32_t source, uint32_t dest);

// Calls f(x0, x1) for each part of device row y between x0 and x1 that lies on the surface and in the clip;
// the parts are noted as written.
template <class F>
void ForEachClippedSpan(const Dc& dc, int y, int x0, int x1, F f)
{
    Bitmap* s = dc.Surface();
    if (!s || y < 0 || y >= s->height)
        return;
    if (x0 < 0)
        x0 = 0;
    if (x1 > s->width)
        x1 = s->width;
    if (x0 >= x1)
        return;
    if (!dc.state.clip) {
        s->Touch(y, x0, x1);
        f(x0, x1);
        return;
    }
    const std::vector<Span>* row = dc.state.clip->RowSpans(y);
    if (!row)
        return;
    for (const Span& sp : *row) {
        int a = sp.x0 > x0 ? sp.x0 : x0;
        int b = sp.x1 < x1 ? sp.x1 : x1;
        if (a < b) {
            s->Touch(y, a, b);
            f(a, b);
        }
    }
}

// The device rectangle that holds every visible pixel (surface bounds intersected with the clip box).
RECT VisibleBox(const Dc& dc);

// A brush made ready for one context: pixel values by position, and a mask for the gaps of transparent hatches.
class BrushPainter {
public:
    BrushPainter(const Dc& dc, const Brush* brush);
    bool IsNull() const { return m_null; }
    bool IsSolid() const { return m_solid; }
    uint32_t SolidValue() const { return m_value; }
    // Pattern value at device pixel (x, y); *draw is false where a transparent hatch leaves the destination.
    uint32_t At(int x, int y, bool* draw) const;

private:
    bool m_null = false;
    bool m_solid = true;
    uint32_t m_value = 0;
    int m_w = 8, m_h = 8;
    int m_orgX = 0, m_orgY = 0;
    std::vector<uint32_t> m_values;
    std::vector<uint8_t> m_draw;
};

// Writes a pixel value over columns [x0, x1) of row y, which lie on the surface (no clip; the caller notes the write).
void WriteSurfaceSpan(Bitmap& s, int y, int x0, int x1, uint32_t value);

// Paints the clipped device span [x0, x1) of row y with a constant value through a binary raster operation.
void PaintSpan(Dc& dc, int y, int x0, int x1, uint32_t value, int rop2);
// Paints the span with a brush through a binary raster operation.
void PaintBrushSpan(Dc& dc, const BrushPainter& brush, int y, int x0, int x1, int rop2);
// One clipped device pixel.
void PaintPixel(Dc& dc, int x, int y, uint32_t value, int rop2);
// Fills a device rectangle with a brush (binary raster operation).
void PaintBrushRect(Dc& dc, const BrushPainter& brush, RECT r, int rop2);
// Fills every span of a device region.
void PaintBrushRegion(Dc& dc, const BrushPainter& brush, const Region& region, int rop2);

}  // namespace gdi
