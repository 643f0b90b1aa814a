// Scan conversion of polygons, ellipses, rounded rectangles and wide strokes into pixel spans.
#include "gdi/gdi_scan.h"

#include <algorithm>
#include <cmath>

#include "gdi/wingdi_records.h"

namespace gdi {

namespace {

// Ceiling and floor of values well inside the int range, without a library call.
int Ceil(double v)
{
    int i = (int)v;
    return i < v ? i + 1 : i;
}

int Floor(double v)
{
    int i = (int)v;
    return i > v ? i - 1 : i;
}

// Pixels whose centre px + 0.5 lies in [a, b] (closed) or [a, b) (half-open).
Span CentreSpan(double a, double b, bool closed)
{
    a = std::clamp(a, -1e9, 1e9);
    b = std::clamp(b, -1e9, 1e9);
    int x0 = Ceil(a - 0.5 - 1e-9);
    int x1 = closed ? Floor(b - 0.5 + 1e-9) + 1 : Ceil(b - 0.5 - 1e-9);
    return Span{x0, x1};
}

}  // namespace

Region ScanPolygons(const std::vector<std::vector<POINT>>& polygons, int fillMode, RowRange range)
{
    long minY = 0, maxY = 0;
    bool any = false;
    for (const auto& poly : polygons)
        for (const POINT& p : poly) {
            if (!any || p.y < minY)
                minY = p.y;
            if (!any || p.y > maxY)
                maxY = p.y;
            any = true;
        }
    minY = std::max(minY, range.top);
    maxY = std::min(maxY, range.bottom);
    if (!any || maxY <= minY || maxY - minY > 1 << 20)
        return Region();
    // The edges that are not horizontal, once: a row then only tests each edge's rows and computes its crossing.
    struct Edge {
        double ax, ay, dx, dy;  // start point and extent, as the crossing formula takes them
        long y0, y1;            // rows whose centres it crosses: y0 <= y + 0.5 < y1
        int dir;
    };
    // Scratch kept per thread: shapes are scanned by the thousand per page.
    thread_local std::vector<Edge> edges;
    edges.clear();
    for (const auto& poly : polygons) {
        size_t n = poly.size();
        for (size_t i = 0; i < n; ++i) {
            const POINT& a = poly[i];
            const POINT& b = poly[(i + 1) % n];
            if (a.y == b.y)
                continue;
            bool down = a.y < b.y;
            edges.push_back(Edge{(double)a.x, (double)a.y, (double)b.x - a.x, (double)b.y - a.y,
                                 down ? (long)a.y : (long)b.y, down ? (long)b.y : (long)a.y, down ? 1 : -1});
        }
    }
    struct Crossing {
        double x;
        int dir;
    };
    thread_local std::vector<Crossing> xs;
    thread_local std::vector<Span> row;
    Region out;
    out.ReserveBands((size_t)std::min<long>(maxY - minY, 256));
    for (long y = minY; y < maxY;) {
        double yc = y + 0.5;
        xs.clear();
        // Integer edge ends: the centre y + 0.5 lies in [y0, y1) exactly when y0 <= y < y1. The edges crossing
        // row y cross every row up to the next edge end; when they are all vertical, those rows are equal.
        long next = maxY;
        bool allVertical = true;
        for (const Edge& e : edges) {
            if (y < e.y0) {
                next = std::min(next, e.y0);
                continue;
            }
            if (y >= e.y1)
                continue;
            next = std::min(next, e.y1);
            allVertical = allVertical && e.dx == 0;
            xs.push_back(Crossing{e.ax + (yc - e.ay) * e.dx / e.dy, e.dir});
        }
        // Ties only make empty spans, so their order is free; few crossings sort fastest by insertion.
        auto before = [](const Crossing& p, const Crossing& q) { return p.x < q.x; };
        if (xs.size() > 16)
            std::sort(xs.begin(), xs.end(), before);
        else
            for (size_t i = 1; i < xs.size(); ++i)
                for (size_t j = i; j > 0 && before(xs[j], xs[j - 1]); --j)
                    std::swap(xs[j], xs[j - 1]);
        row.clear();
        if (fillMode == WINDING) {
            int wind = 0;
            for (size_t i = 0; i + 1 < xs.size(); ++i) {
                wind += xs[i].dir;
                if (wind != 0)
                    row.push_back(CentreSpan(xs[i].x, xs[i + 1].x, false));
            }
        } else {
            for (size_t i = 0; i + 1 < xs.size(); i += 2)
                row.push_back(CentreSpan(xs[i].x, xs[i + 1].x, false));
        }
        long until = allVertical ? next : y + 1;
        out.AppendRows((int)y, (int)until, row);
        y = until;
    }
    return out;
}

Region ScanRoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left == right || top == bottom || (int64_t)bottom - top > 1 << 20)
        return Region();
    double rx = std::min(std::fabs((double)cornerWidth), (double)right - left) / 2.0;
    double ry = std::min(std::fabs((double)cornerHeight), (double)bottom - top) / 2.0;
    Region out;
    std::vector<Span> row;
    for (int y = top; y < bottom; ++y) {
        double yc = y + 0.5;
        double inset = 0;
        if (ry > 0 && rx > 0) {
            double dy = 0;
            if (yc < top + ry)
                dy = top + ry - yc;
            else if (yc > bottom - ry)
                dy = yc - (bottom - ry);
            if (dy > 0) {
                double t = 1 - (dy * dy) / (ry * ry);
                if (t < 0)
                    continue;
                inset = rx - rx * std::sqrt(t);
            }
        }
        row.assign(1, CentreSpan(left + inset, right - inset, true));
        out.AppendRow(y, row);
    }
    return out;
}

Region ScanEllipse(int left, int top, int right, int bottom)
{
    int64_t w = (int64_t)right - left, h = (int64_t)bottom - top;
    auto limit = [](int64_t v) { return (int)std::clamp<int64_t>(v < 0 ? -v : v, 0, 1 << 30); };
    return ScanRoundRect(left, top, right, bottom, limit(w), limit(h));
}

namespace {

// The pixels in both sorted, disjoint span lists.
void IntersectSpans(const std::vector<Span>& a, const std::vector<Span>& b, std::vector<Span>& out)
{
    out.clear();
    for (size_t i = 0, j = 0; i < a.size() && j < b.size();) {
        int x0 = std::max(a[i].x0, b[j].x0), x1 = std::min(a[i].x1, b[j].x1);
        if (x0 < x1)
            out.push_back(Span{x0, x1});
        if (a[i].x1 < b[j].x1)
            ++i;
        else
            ++j;
    }
}

// The pixels of a that are not in b (both sorted and disjoint).
void SubtractSpans(const std::vector<Span>& a, const std::vector<Span>& b, std::vector<Span>& out)
{
    out.clear();
    size_t j = 0;
    for (const Span& s : a) {
        int x = s.x0;
        while (j < b.size() && b[j].x1 <= x)
            ++j;
        for (size_t k = j; k < b.size() && b[k].x0 < s.x1; ++k) {
            if (b[k].x0 > x)
                out.push_back(Span{x, b[k].x0});
            x = std::max(x, b[k].x1);
        }
        if (x < s.x1)
            out.push_back(Span{x, s.x1});
    }
}

}  // namespace

Region Outline(const Region& shape)
{
    if (shape.IsEmpty())
        return Region();
    RECT box = shape.Box();
    static const std::vector<Span> none;
    Region out;
    std::vector<Span> inner, scratch, edge;
    for (int y = box.top; y < box.bottom; ++y) {
        const std::vector<Span>* cur = shape.RowSpans(y);
        if (!cur)
            continue;
        const std::vector<Span>* up = shape.RowSpans(y - 1);
        const std::vector<Span>* down = shape.RowSpans(y + 1);
        // Inner pixels have both row neighbours (the span shrunk by one at each end) and the pixels above and below.
        inner.clear();
        for (const Span& s : *cur)
            if (s.x1 - s.x0 > 2)
                inner.push_back(Span{s.x0 + 1, s.x1 - 1});
        IntersectSpans(inner, up ? *up : none, scratch);
        IntersectSpans(scratch, down ? *down : none, inner);
        SubtractSpans(*cur, inner, edge);
        out.AppendRow(y, edge);
    }
    return out;
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
        if (yc < y0 - 1e-9 || yc > y1 + 1e-9)
            continue;
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
    if (t < -1e-9)
        return false;
    double h = std::sqrt(std::max(0.0, t));
    lo = std::min(lo, c.x - h);
    hi = std::max(hi, c.x + h);
    return true;
}

}  // namespace

namespace {

// The convex pieces of a stroke: segment bodies and mitre or bevel corners as polygons, round ends as disks.
struct StrokePieces {
    std::vector<std::vector<PointD>> polygons;
    std::vector<PointD> disks;
};

// Joins longer than ten times the pen width are bevelled, as the system's default mitre limit says.
const double kMitreLimit = 10.0;

void AddJoin(StrokePieces& pieces, PointD v, PointD u1, PointD u2, double r, int join)
{
    if (join == PS_JOIN_ROUND) {
        pieces.disks.push_back(v);
        return;
    }
    double cross = u1.x * u2.y - u1.y * u2.x, dot = u1.x * u2.x + u1.y * u2.y;
    if (std::fabs(cross) < 1e-12 && dot > 0)
        return;  // straight on: the bodies meet flush
    // The outer side of the turn is the one away from it.
    double s = cross > 0 ? -1 : 1;
    PointD n1{-u1.y * s, u1.x * s}, n2{-u2.y * s, u2.x * s};
    PointD p1{v.x + n1.x * r, v.y + n1.y * r}, p2{v.x + n2.x * r, v.y + n2.y * r};
    bool mitre = join == PS_JOIN_MITER && 1 + dot > 1e-12 && 2 / (1 + dot) <= kMitreLimit * kMitreLimit;
    if (!mitre) {
        pieces.polygons.push_back({v, p1, p2});
        return;
    }
    double k = r / (1 + n1.x * n2.x + n1.y * n2.y);
    PointD tip{v.x + (n1.x + n2.x) * k, v.y + (n1.y + n2.y) * k};
    pieces.polygons.push_back({v, p1, tip, p2});
}

StrokePieces PiecesOf(const std::vector<POINT>& input, const StrokeStyle& style)
{
    StrokePieces pieces;
    std::vector<PointD> pts;
    for (const POINT& p : input)
        if (pts.empty() || pts.back().x != p.x || pts.back().y != p.y)
            pts.push_back(PointD{(double)p.x, (double)p.y});
    bool closed = style.closed && pts.size() > 2 && pts.front().x == pts.back().x && pts.front().y == pts.back().y;
    if (pts.size() < 2)
        return pieces;
    double r = style.width / 2.0;
    size_t n = pts.size() - 1;
    std::vector<PointD> dirs(n);
    for (size_t i = 0; i < n; ++i) {
        double dx = pts[i + 1].x - pts[i].x, dy = pts[i + 1].y - pts[i].y, len = std::sqrt(dx * dx + dy * dy);
        dirs[i] = PointD{dx / len, dy / len};
    }
    for (size_t i = 0; i < n; ++i) {
        PointD a = pts[i], b = pts[i + 1], u = dirs[i];
        bool capA = i == 0 && !closed, capB = i + 1 == n && !closed;
        double ea = capA && style.endCap == PS_ENDCAP_SQUARE ? r : 0;
        double eb = capB && style.endCap == PS_ENDCAP_SQUARE ? r : 0;
        pieces.polygons.push_back({{a.x - u.x * ea - u.y * r, a.y - u.y * ea + u.x * r},
                                   {b.x + u.x * eb - u.y * r, b.y + u.y * eb + u.x * r},
                                   {b.x + u.x * eb + u.y * r, b.y + u.y * eb - u.x * r},
                                   {a.x - u.x * ea + u.y * r, a.y - u.y * ea - u.x * r}});
        if (capA && style.endCap == PS_ENDCAP_ROUND)
            pieces.disks.push_back(a);
        if (capB && style.endCap == PS_ENDCAP_ROUND)
            pieces.disks.push_back(b);
        if (i + 1 < n)
            AddJoin(pieces, b, u, dirs[i + 1], r, style.join);
    }
    if (closed)
        AddJoin(pieces, pts[0], dirs[n - 1], dirs[0], r, style.join);
    return pieces;
}

}  // namespace

Region ScanStroke(const std::vector<POINT>& points, const StrokeStyle& style, RowRange range)
{
    StrokePieces pieces = PiecesOf(points, style);
    if (pieces.polygons.empty() && pieces.disks.empty())
        return Region();
    double r = style.width / 2.0;
    double c =
        (style.width % 2) ? 0.0 : 0.5;  // even widths centre on pixel corners so that they cover exactly width pixels
    long minY = points[0].y, maxY = points[0].y;
    for (const POINT& p : points) {
        minY = std::min<long>(minY, p.y);
        maxY = std::max<long>(maxY, p.y);
    }
    // Mitre tips reach at most the mitre limit times the width beyond a corner.
    long reach = (long)std::ceil(r * (style.join == PS_JOIN_MITER ? kMitreLimit : 1.0)) + 1;
    long y0 = std::max(minY - reach, range.top);
    long y1 = std::min(maxY + reach + 1, range.bottom);
    if (y1 <= y0 || y1 - y0 > 1 << 20)
        return Region();
    Region out;
    std::vector<Span> row;
    for (long y = y0; y < y1; ++y) {
        double yc = y + c;
        row.clear();
        // Pixel px is covered when px + c lies in [lo, hi] of some piece.
        auto add = [&](double lo, double hi) {
            int x0 = (int)std::ceil(lo - c - 1e-9), x1 = (int)std::floor(hi - c + 1e-9) + 1;
            if (x0 < x1)
                row.push_back(Span{x0, x1});
        };
        for (const auto& poly : pieces.polygons) {
            double lo = 1e300, hi = -1e300;
            if (ConvexExtent(poly.data(), (int)poly.size(), yc, lo, hi))
                add(lo, hi);
        }
        for (const PointD& d : pieces.disks) {
            double lo = 1e300, hi = -1e300;
            if (DiskExtent(d, r, yc, lo, hi))
                add(lo, hi);
        }
        out.AppendRow((int)y, row);
    }
    return out;
}

}  // namespace gdi
