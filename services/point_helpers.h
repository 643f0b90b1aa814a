// Point and rectangle helpers: nearness, boxes, turning points and the band around a segment.
#pragma once

#include "kernel/geometry.h"

// 1 when |x2 - x1| < 6 and |y2 - y1| < 6.
BOOL PointsNear(int x1, int y1, int x2, int y2);
// 1 when |x2 - x1| <= tolerance and |y2 - y1| <= tolerance.
BOOL PointsWithin(int x1, int y1, int x2, int y2, int tolerance);

// Union of rect with a copy of it moved so that its centre lies on the point.
CRect InflateRectToPoint(const RECT& rect, POINT point);

// corner1 becomes the per-axis minimum of both corners and (x, y); corner2 the maximum of itself and (x, y).
void GrowBoxToPoint(POINT& corner1, POINT& corner2, int x, int y);

void SetRectValues(RECT* rect, int left, int top, int right, int bottom);

// Turns (x, y) about (cx, cy) by angle radians; both new values from the old x and y.
void RotatePoint(double angle, double& x, double& y, double cx, double cy);

// The same for integers, each offset rounded with RoundHalfAway before the centre is added.
void RotatePointInt(double angle, int& x, int& y, int cx, int cy);

// Width and height spanned by the corners of a w x h rectangle turned by degrees about its centre.
CSize RotatedBoundingSize(int width, int height, double degrees);

// The four corners of a band of half-width halfWidth around the segment (x1, y1)-(x2, y2);
// 0 and out untouched for a zero-length segment.
BOOL GetLineBand(POINT* out, double halfWidth, double x1, double y1, double x2, double y2);
