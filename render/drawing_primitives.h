// Thick strokes of the notation drawn as filled shapes, so that their thickness follows the zoom exactly.
#pragma once

#include "gdi/afxgdi.h"

// A black bar centred on x from top to bottom, at least one pixel wide.
void DrawBar(CDC* dc, double x, int top, int bottom, double width);
// A band from p1 to p2, width pixels high (beams).
void FillBeamSegment(CDC* dc, POINT p1, POINT p2, double width, COLORREF colour);
// A band from p1 to p2, width pixels wide (stems).
void FillStemSegment(CDC* dc, POINT p1, POINT p2, double width, COLORREF colour);
// y of x on the line through (x0, y0) and (x1, y1); y0 when x1 = x0.
double Interpolate(int x0, int y0, int x1, int y1, double x);
// Two round dots, size / 2 above and below y (repeat signs).
void DrawDotPair(CDC* dc, int x, int y, double size);
