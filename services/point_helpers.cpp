// Point and rectangle helpers of the drawing code.
#include "services/point_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "services/rounding.h"

BOOL PointsNear(int x1, int y1, int x2, int y2) { return std::abs(x2 - x1) < 6 && std::abs(y2 - y1) < 6; }

BOOL PointsWithin(int x1, int y1, int x2, int y2, int tolerance)
{
    return std::abs(x2 - x1) <= tolerance && std::abs(y2 - y1) <= tolerance;
}

CRect InflateRectToPoint(const RECT& rect, POINT point)
{
    CRect original(rect);
    CRect moved(original);
    CPoint centre = original.CenterPoint();
    moved.OffsetRect(point.x - centre.x, point.y - centre.y);
    CRect result;
    result.UnionRect(&original, &moved);
    return result;
}

void GrowBoxToPoint(POINT& corner1, POINT& corner2, int x, int y)
{
    corner1.x = std::min({corner1.x, corner2.x, static_cast<LONG>(x)});
    corner1.y = std::min({corner1.y, corner2.y, static_cast<LONG>(y)});
    corner2.x = std::max(corner2.x, static_cast<LONG>(x));
    corner2.y = std::max(corner2.y, static_cast<LONG>(y));
}

void SetRectValues(RECT* rect, int left, int top, int right, int bottom)
{
    rect->left = left;
    rect->top = top;
    rect->right = right;
    rect->bottom = bottom;
}

void RotatePoint(double angle, double& x, double& y, double cx, double cy)
{
    double c = std::cos(angle), s = std::sin(angle);
    double dx = x - cx, dy = y - cy;
    x = cx + c * dx - s * dy;
    y = cy + s * dx + c * dy;
}

void RotatePointInt(double angle, int& x, int& y, int cx, int cy)
{
    double c = std::cos(angle), s = std::sin(angle);
    int dx = x - cx, dy = y - cy;
    x = RoundHalfAway(c * dx - s * dy) + cx;
    y = RoundHalfAway(c * dy + s * dx) + cy;
}

CSize RotatedBoundingSize(int width, int height, double degrees)
{
    double angle = degrees * 3.1415926 / 180;
    int xs[4] = {0, width, width, 0};
    int ys[4] = {0, 0, height, height};
    for (int i = 0; i < 4; i++)
        RotatePointInt(angle, xs[i], ys[i], width / 2, height / 2);
    return CSize(std::max(std::abs(xs[0] - xs[2]), std::abs(xs[1] - xs[3])),
                 std::max(std::abs(ys[0] - ys[2]), std::abs(ys[1] - ys[3])));
}

BOOL GetLineBand(POINT* out, double halfWidth, double x1, double y1, double x2, double y2)
{
    double length = std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
    if (length == 0)
        return FALSE;
    const double quarterTurn = 1.5708;
    double ends[2][2] = {{x1, y1}, {x2, y2}};
    for (int end = 0; end < 2; end++) {
        double ox = ends[end][0], oy = ends[end][1];
        double tx = ends[1 - end][0], ty = ends[1 - end][1];
        double ax = ox - (ox - tx) * halfWidth / length;
        double ay = oy - (oy - ty) * halfWidth / length;
        for (int side = 0; side < 2; side++) {
            double px = ax, py = ay;
            RotatePoint(side == 0 ? -quarterTurn : quarterTurn, px, py, ox, oy);
            out[end * 2 + side].x = static_cast<LONG>(px);
            out[end * 2 + side].y = static_cast<LONG>(py);
        }
    }
    return TRUE;
}
