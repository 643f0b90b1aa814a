// Scan conversion: polygons, ellipses, rounded rectangles and wide-pen strokes as per-row pixel spans.
#pragma once

#include <vector>

#include "gdi/gdi_region.h"

namespace gdi {

struct PointD {
    double x;
    double y;
};

// Rows scanned when only part of a shape is wanted (drawing scans only the visible rows).
struct RowRange {
    long top = -(1L << 30);
    long bottom = 1L << 30;
};

// Pixels whose centres lie inside the polygons (several closed outlines), by the ALTERNATE or WINDING rule.
Region ScanPolygons(const std::vector<std::vector<POINT>>& polygons, int fillMode, RowRange rows = {});
// Pixels whose centres lie inside the ellipse inscribed in the box [left, right) x [top, bottom).
Region ScanEllipse(int left, int top, int right, int bottom);
// The rectangle with corners rounded by ellipses of the given width and height.
Region ScanRoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
// Pixels of a region that touch its outside (4-neighbourhood): a one-pixel outline.
Region Outline(const Region& shape);
// How a wide pen strokes: its width, end caps (PS_ENDCAP_*) and joins (PS_JOIN_*); a closed figure joins its ends.
struct StrokeStyle {
    int width = 1;
    int endCap = 0;
    int join = 0;
    bool closed = false;
};

// A wide pen's stroke along a polyline: pixels within width / 2 of it, with the style's caps and joins.
// Segments of zero length are left out.
Region ScanStroke(const std::vector<POINT>& points, const StrokeStyle& style, RowRange rows = {});

}  // namespace gdi
