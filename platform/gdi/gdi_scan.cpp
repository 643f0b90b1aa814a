// Scan conversion of polygons, ellipses, rounded rectangles and wide strokes into pixel spans.
#include "gdi/gdi_scan.h"

#include <algorithm>
#include <cmath>

#include "gdi/wingdi_records.h"

namespace gdi {

namespace {

// Pixels whose centre px + 0.5 lies in [a, b] (closed) or [a, b) (half-open).
Span CentreSpan(double a, double b, bool closed)
{
    a = std::clamp(a, -1e9, 1e9);
    b = std::clamp(b, -1e9, 1e9);
    int x0 = (int)std::ceil(a - 0.5 - 1e-9);
    int x1 = closed ? (int)std::floor(b - 0.5 + 1e-9) + 1 : (int)std::ceil(b - 0.5 - 1e-9);
    return Span{x0, x1};
}

}  // namespace

Region ScanPolygons(const std::vector<std::vector<POINT>>& polygons, int fillMode, RowRange range)
{
    long minY = 0, maxY = 0;
    bool any = false;
    for (const auto& poly : polygons)
        for (const POINT& p : poly) {
            if (!any || p.y < minY) minY = p.y;
            if (!any || p.y > maxY) maxY = p.y;
            any = true;
        }
    minY = std::max(minY, range.top);
    maxY = std::min(maxY, range.bottom);
    if (!any || maxY <= minY || maxY - minY > 1 << 20) return Region();
    struct Crossing {
        double x;
        int dir;
    };
    std::vector<std::vector<Span>> rows((size_t)(maxY - minY));
    std::vector<Crossing> xs;
    for (long y = minY; y < maxY; ++y) {
        double yc = y + 0.5;
        xs.clear();
        for (const auto& poly : polygons) {
            size_t n = poly.size();
            for (size_t i = 0; i < n; ++i) {
                const POINT& a = poly[i];
                const POINT& b = poly[(i + 1) % n];
                if (a.y == b.y) continue;
                bool down = a.y < b.y;
                double y0 = down ? a.y : b.y, y1 = down ? b.y : a.y;
                if (yc < y0 || yc >= y1) continue;
                double x = a.x + (yc - a.y) * ((double)b.x - a.x) / ((double)b.y - a.y);
                xs.push_back(Crossing{x, down ? 1 : -1});
            }
        }
        std::sort(xs.begin(), xs.end(), [](const Crossing& p, const Crossing& q) { return p.x < q.x; });
        auto& row = rows[(size_t)(y - minY)];
        if (fillMode == WINDING) {
            int wind = 0;
            for (size_t i = 0; i + 1 < xs.size(); ++i) {
                wind += xs[i].dir;
                if (wind != 0) row.push_back(CentreSpan(xs[i].x, xs[i + 1].x, false));
            }
        } else {
            for (size_t i = 0; i + 1 < xs.size(); i += 2) row.push_back(CentreSpan(xs[i].x, xs[i + 1].x, false));
        }
    }
    return Region::FromRows((int)minY, rows);
}

Region ScanRoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (left == right || top == bottom || (int64_t)bottom - top > 1 << 20) return Region();
    double rx = std::min(std::fabs((double)cornerWidth), (double)right - left) / 2.0;
    double ry = std::min(std::fabs((double)cornerHeight), (double)bottom - top) / 2.0;
    std::vector<std::vector<Span>> rows((size_t)(bottom - top));
    for (int y = top; y < bottom; ++y) {
        double yc = y + 0.5;
        double inset = 0;
        if (ry > 0 && rx > 0) {
            double dy = 0;
            if (yc < top + ry) dy = top + ry - yc;
            else if (yc > bottom - ry) dy = yc - (bottom - ry);
            if (dy > 0) {
                double t = 1 - (dy * dy) / (ry * ry);
                if (t < 0) continue;
                inset = rx - rx * std::sqrt(t);
            }
        }
        rows[(size_t)(y - top)].push_back(CentreSpan(left + inset, right - inset, true));
    }
    return Region::FromRows(top, rows);
}

Region ScanEllipse(int left, int top, int right, int bottom)
{
    int64_t w = (int64_t)right - left, h = (int64_t)bottom - top;
    auto limit = [](int64_t v) { return (int)std::clamp<int64_t>(v < 0 ? -v : v, 0, 1 << 30); };
    return ScanRoundRect(left, top, right, bottom, limit(w), limit(h));
}

Region Outline(const Region& shape)
{
    if (shape.IsEmpty()) return Region();
    RECT box = shape.Box();
    std::vector<std::vector<Span>> rows((size_t)(box.bottom - box.top));
    static const std::vector<Span> none;
    for (int y = box.top; y < box.bottom; ++y) {
        const std::vector<Span>* cur = shape.RowSpans(y);
        if (!cur) continue;
        const std::vector<Span>* up = shape.RowSpans(y - 1);
        const std::vector<Span>* down = shape.RowSpans(y + 1);
        std::vector<Span> eroded;
        for (const Span& s : *cur)
            if (s.x1 - s.x0 > 2) eroded.push_back(Span{s.x0 + 1, s.x1 - 1});
        Region row, inner;
        std::vector<std::vector<Span>> one{*cur};
        row = Region::FromRows(y, one);
        std::vector<std::vector<Span>> e{eroded}, u{up ? *up : none}, d{down ? *down : none};
        inner = Region::Combine(Region::FromRows(y, e), Region::FromRows(y, u), RGN_AND);
        inner = Region::Combine(inner, Region::FromRows(y, d), RGN_AND);
        Region edge = Region::Combine(row, inner, RGN_DIFF);
        if (const std::vector<Span>* spans = edge.RowSpans(y)) rows[(size_t)(y - box.top)] = *spans;
    }
    return Region::FromRows(box.top, rows);
}

namespace {

// Adds the x extent, at height yc, of a convex polygon to [lo, hi]; false when the line misses it.
bool ConvexExtent(const PointD* pts, int n, double yc, double& lo, double& hi)
{
    bool hit = false;
    for (int i = 0; i < n; ++i) {
        const PointD& a = pts[i];
        const PointD& b = pts[(i + 1) % n];
        double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
        if (yc < y0 - 1e-9 || yc > y1 + 1e-9) continue;
        double x;
        if (std::fabs(b.y - a.y) < 1e-12) {
            lo = std::min({lo, a.x, b.x});
            hi = std::max({hi, a.x, b.x});
            hit = true;
            continue;
        }
        x = a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y);
        lo = std::min(lo, x);
        hi = std::max(hi, x);
        hit = true;
    }
    return hit;
}

bool DiskExtent(PointD c, double r, double yc, double& lo, double& hi)
{
    double dy = yc - c.y;
    double t = r * r - dy * dy;
    if (t < -1e-9) return false;
    double h = std::sqrt(std::max(0.0, t));
    lo = std::min(lo, c.x - h);
    hi = std::max(hi, c.x + h);
    return true;
}

}  // namespace

Region ScanStroke(const std::vector<POINT>& points, int width, int endCap, RowRange range)
{
    if (points.empty()) return Region();
    double r = width / 2.0;
    double c = (width % 2) ? 0.0 : 0.5;  // even widths centre on pixel corners so that they cover exactly width pixels
    long minY = points[0].y, maxY = points[0].y;
    for (const POINT& p : points) {
        minY = std::min<long>(minY, p.y);
        maxY = std::max<long>(maxY, p.y);
    }
    long y0 = std::max(minY - (long)std::ceil(r) - 1, range.top);
    long y1 = std::min(maxY + (long)std::ceil(r) + 2, range.bottom);
    if (y1 <= y0 || y1 - y0 > 1 << 20) return Region();
    std::vector<std::vector<Span>> rows((size_t)(y1 - y0));
    size_t segments = points.size() > 1 ? points.size() - 1 : 1;
    for (long y = y0; y < y1; ++y) {
        double yc = y + c;
        auto& row = rows[(size_t)(y - y0)];
        for (size_t i = 0; i < segments; ++i) {
            PointD a{(double)points[i].x, (double)points[i].y};
            PointD b = points.size() > 1 ? PointD{(double)points[i + 1].x, (double)points[i + 1].y} : a;
            double lo = 1e300, hi = -1e300;
            bool hit = false;
            bool firstEnd = i == 0, lastEnd = i + 1 == segments;
            double dx = b.x - a.x, dy = b.y - a.y, len = std::sqrt(dx * dx + dy * dy);
            if (len > 0) {
                double ux = dx / len, uy = dy / len;
                double ea = (firstEnd && endCap == PS_ENDCAP_SQUARE) ? r : 0;
                double eb = (lastEnd && endCap == PS_ENDCAP_SQUARE) ? r : 0;
                PointD quad[4] = {{a.x - ux * ea - uy * r, a.y - uy * ea + ux * r},
                                  {b.x + ux * eb - uy * r, b.y + uy * eb + ux * r},
                                  {b.x + ux * eb + uy * r, b.y + uy * eb - ux * r},
                                  {a.x - ux * ea + uy * r, a.y - uy * ea - ux * r}};
                hit |= ConvexExtent(quad, 4, yc, lo, hi);
            }
            bool roundA = !firstEnd || endCap == PS_ENDCAP_ROUND || len == 0;
            bool roundB = !lastEnd || endCap == PS_ENDCAP_ROUND || len == 0;
            if (roundA) hit |= DiskExtent(a, r, yc, lo, hi);
            if (roundB) hit |= DiskExtent(b, r, yc, lo, hi);
            if (!hit) continue;
            // Pixel px is covered when px + c lies in [lo, hi].
            int x0 = (int)std::ceil(lo - c - 1e-9), x1 = (int)std::floor(hi - c + 1e-9) + 1;
            if (x0 < x1) row.push_back(Span{x0, x1});
        }
    }
    return Region::FromRows((int)y0, rows);
}

}  // namespace gdi
