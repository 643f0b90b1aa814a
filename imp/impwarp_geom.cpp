// Warp geometry: corners and coefficients of affine and perspective maps, polygon clipping and spans.
#include "imp/impwarp_geom.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imp/impalloc.h"
#include "imp/imperror.h"

void impAffineQuadCorners(const double m[6], int32_t left, int32_t top, int32_t right, int32_t bottom,
                          double corners[8])
{
    const double xs[4] = {(double)left, (double)right, (double)right, (double)left};
    const double ys[4] = {(double)top, (double)top, (double)bottom, (double)bottom};
    for (int i = 0; i < 4; ++i) {
        corners[2 * i] = m[0] * xs[i] + m[1] * ys[i] + m[2];
        corners[2 * i + 1] = m[3] * xs[i] + m[4] * ys[i] + m[5];
    }
}

void impAffineFromQuad(int32_t left, int32_t top, int32_t right, int32_t bottom, const double q[8], double m[6],
                       int32_t* orientation, int32_t forward)
{
    double x0 = q[0], y0 = q[1], x1 = q[2], y1 = q[3], x2 = q[4], y2 = q[5];
    double W = (double)right - left, H = (double)bottom - top;
    double det = (y2 - y1) * (x1 - x0) - (y1 - y0) * (x2 - x1);
    if (forward) {
        m[0] = (x1 - x0) / W;
        m[1] = (x2 - x1) / H;
        m[3] = (y1 - y0) / W;
        m[4] = (y2 - y1) / H;
        m[2] = x0 - m[0] * left - m[1] * top;
        m[5] = y0 - m[3] * left - m[4] * top;
        *orientation = det > 0.0;
        return;
    }
    double k = 1.0 / det;
    m[0] = (y2 - y1) * W * k;
    m[1] = -(x2 - x1) * W * k;
    m[2] = left - m[0] * x0 - m[1] * y0;
    m[3] = -(y1 - y0) * H * k;
    m[4] = (x1 - x0) * H * k;
    m[5] = top - m[3] * x0 - m[4] * y0;
    *orientation = k > 0.0;
}

void impPerspectiveQuadCorners(const double c[9], int32_t left, int32_t top, int32_t right, int32_t bottom,
                               double corners[8])
{
    const double xs[4] = {(double)left, (double)right, (double)right, (double)left};
    const double ys[4] = {(double)top, (double)top, (double)bottom, (double)bottom};
    for (int i = 0; i < 4; ++i) {
        double w = c[6] * xs[i] + c[7] * ys[i] + c[8];
        corners[2 * i] = (c[0] * xs[i] + c[1] * ys[i] + c[2]) / w;
        corners[2 * i + 1] = (c[3] * xs[i] + c[4] * ys[i] + c[5]) / w;
    }
}

void impPerspectiveFromQuad(int32_t left, int32_t top, int32_t right, int32_t bottom, const double q[8], double c[9],
                            int32_t* orientation, int32_t forward)
{
    double x0 = q[0], y0 = q[1], x1 = q[2], y1 = q[3], x2 = q[4], y2 = q[5], x3 = q[6], y3 = q[7];
    double W = (double)right - left, H = (double)bottom - top;
    double sx = x0 - x1 + x2 - x3, sy = y0 - y1 + y2 - y3;
    double den = (x3 - x2) * (y2 - y1) - (x2 - x1) * (y3 - y2);
    double g = ((y3 - y2) * sx - (x3 - x2) * sy) / den, h = (sx * (y2 - y1) - (x2 - x1) * sy) / den;
    double m[9] = {x1 - x0 + g * x1, x3 - x0 + h * x3, x0, y1 - y0 + g * y1, y3 - y0 + h * y3, y0, g, h, 1.0};
    for (int r = 0; r < 3; ++r) {
        m[3 * r] /= W;
        m[3 * r + 1] /= H;
        m[3 * r + 2] -= m[3 * r] * left + m[3 * r + 1] * top;
    }
    *orientation = (x3 - x2) * (y0 - y3) - (y3 - y2) * (x0 - x3) > 0.0;
    if (forward) {
        std::memcpy(c, m, sizeof(m));
        return;
    }
    c[0] = m[4] * m[8] - m[5] * m[7];
    c[1] = m[2] * m[7] - m[1] * m[8];
    c[2] = m[1] * m[5] - m[2] * m[4];
    c[3] = m[5] * m[6] - m[3] * m[8];
    c[4] = m[0] * m[8] - m[2] * m[6];
    c[5] = m[2] * m[3] - m[0] * m[5];
    c[6] = m[3] * m[7] - m[4] * m[6];
    c[7] = m[1] * m[6] - m[0] * m[7];
    c[8] = m[0] * m[4] - m[1] * m[3];
}

namespace {

// One Sutherland-Hodgman pass: keeps the side where sign * (coordinate - line) >= 0.
int32_t clipPass(const double* in, int32_t n, double* out, int axis, double line, double sign)
{
    int32_t m = 0;
    for (int32_t i = 0; i < n; ++i) {
        const double* p = in + 2 * i;
        const double* q = in + 2 * ((i + 1) % n);
        double dp = sign * (p[axis] - line), dq = sign * (q[axis] - line);
        if (dp >= 0.0) {
            out[2 * m] = p[0];
            out[2 * m + 1] = p[1];
            ++m;
        }
        if ((dp > 0.0 && dq < 0.0) || (dp < 0.0 && dq > 0.0)) {
            double t = (line - p[axis]) / (q[axis] - p[axis]);
            out[2 * m + axis] = line;
            out[2 * m + 1 - axis] = p[1 - axis] + t * (q[1 - axis] - p[1 - axis]);
            ++m;
        }
    }
    return m;
}

}  // namespace

void impClipPolygonToRect(const double* in, double* out, int32_t* count, double left, double top, double right,
                          double bottom)
{
    int32_t n = *count;
    double xmin = in[0], xmax = in[0], ymin = in[1], ymax = in[1];
    for (int32_t i = 1; i < n; ++i) {
        xmin = std::min(xmin, in[2 * i]);
        xmax = std::max(xmax, in[2 * i]);
        ymin = std::min(ymin, in[2 * i + 1]);
        ymax = std::max(ymax, in[2 * i + 1]);
    }
    if (n < 1 || ymax < top || ymin > bottom || xmax < left || xmin > right) {
        *count = 0;
        return;
    }
    double a[2 * IMP_POLYGON_MAX], b[2 * IMP_POLYGON_MAX];
    std::memcpy(a, in, sizeof(double) * 2 * n);
    if (ymin < top)
        n = clipPass(a, n, b, 1, top, 1.0), std::memcpy(a, b, sizeof(double) * 2 * n);
    if (ymax > bottom && n)
        n = clipPass(a, n, b, 1, bottom, -1.0), std::memcpy(a, b, sizeof(double) * 2 * n);
    if (xmin < left && n)
        n = clipPass(a, n, b, 0, left, 1.0), std::memcpy(a, b, sizeof(double) * 2 * n);
    if (xmax > right && n)
        n = clipPass(a, n, b, 0, right, -1.0), std::memcpy(a, b, sizeof(double) * 2 * n);
    int32_t m = 0;
    for (int32_t i = 0; i < n; ++i) {
        if (m > 0 && a[2 * i] == out[2 * (m - 1)] && a[2 * i + 1] == out[2 * (m - 1) + 1])
            continue;
        out[2 * m] = a[2 * i];
        out[2 * m + 1] = a[2 * i + 1];
        ++m;
    }
    while (m > 1 && out[0] == out[2 * (m - 1)] && out[1] == out[2 * (m - 1) + 1])
        --m;
    *count = m;
}

void impScanConvexPolygon(const double* p, int32_t n, int32_t firstRow, int32_t lastRow, int32_t* firstCol,
                          int32_t* lastCol)
{
    if (n == 1) {
        firstCol[0] = lastCol[0] = (int32_t)std::floor(p[0]);
        return;
    }
    for (int32_t y = firstRow; y <= lastRow; ++y) {
        double lo = HUGE_VAL, hi = -HUGE_VAL;
        for (int32_t i = 0; i < n; ++i) {
            double x0 = p[2 * i], y0 = p[2 * i + 1], x1 = p[2 * ((i + 1) % n)], y1 = p[2 * ((i + 1) % n) + 1];
            if (y < std::min(y0, y1) || y > std::max(y0, y1))
                continue;
            // A level edge on the row covers its whole length; a region one row high has only such edges.
            if (y0 == y1) {
                lo = std::min({lo, x0, x1});
                hi = std::max({hi, x0, x1});
                continue;
            }
            double x = (y - y0) * ((x1 - x0) / (y1 - y0)) + x0;
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
        int32_t k = y - firstRow;
        if (lo > hi) {
            firstCol[k] = 0;
            lastCol[k] = -1;
            continue;
        }
        // An edge within 1e-14 of a whole column still covers it.
        double c = std::ceil(lo), f = std::floor(hi);
        if (c - lo > 1.0 - 1e-14)
            c -= 1.0;
        if (hi - f > 1.0 - 1e-14)
            f += 1.0;
        firstCol[k] = (int32_t)c;
        lastCol[k] = (int32_t)f;
    }
}

int32_t impWarpSpans(const double corners[8], int32_t left, int32_t top, int32_t right, int32_t bottom,
                     int32_t** firstCol, int32_t** lastCol, int32_t* firstRow, int32_t* lastRow)
{
    double poly[2 * IMP_POLYGON_MAX];
    int32_t n = 4;
    impClipPolygonToRect(corners, poly, &n, left, top, right, bottom);
    if (n < 1)
        return 0;
    double xmin = poly[0], xmax = poly[0], ymin = poly[1], ymax = poly[1];
    for (int32_t i = 1; i < n; ++i) {
        xmin = std::min(xmin, poly[2 * i]);
        xmax = std::max(xmax, poly[2 * i]);
        ymin = std::min(ymin, poly[2 * i + 1]);
        ymax = std::max(ymax, poly[2 * i + 1]);
    }
    int32_t y0 = (int32_t)std::ceil(ymin), y1 = (int32_t)std::floor(ymax);
    if (y1 < y0 || std::floor(xmax) < std::ceil(xmin))
        return 0;
    int64_t rows = (int64_t)y1 - y0 + 1;
    int32_t* fc = (int32_t*)impAlignedMallocDwords(rows);
    int32_t* lc = (int32_t*)impAlignedMallocDwords(rows);
    if (!fc || !lc) {
        impAlignedFree(fc);
        impAlignedFree(lc);
        impSetStatus(IMP_StsNoMem);
        return 0;
    }
    impScanConvexPolygon(poly, n, y0, y1, fc, lc);
    *firstCol = fc;
    *lastCol = lc;
    *firstRow = y0;
    *lastRow = y1;
    return 1;
}
