// The bilinear map between a rectangle and a quadrangle, solved for the source point of a destination point.
#include <cmath>

#include "imp/impwarp_geom.h"

namespace {

inline double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

// Root of u*u - 2*A*u + B = 0 by the root flag, the discriminant taken as 0 when it is negative.
inline double root(double A, double B, int32_t plus)
{
    double s = std::sqrt(std::fmax(A * A - B, 0.0));
    return plus ? A + s : A - s;
}

inline double quotient(double n, double d) { return d == 0.0 ? 0.0 : n / d; }

}  // namespace

void impBilinearFromQuad(int32_t left, int32_t top, int32_t right, int32_t bottom, const double q[8],
                         ImpBilinearInverse* inv, int32_t* orientation)
{
    double x0 = q[0], y0 = q[1], x1 = q[2], y1 = q[3], x2 = q[4], y2 = q[5], x3 = q[6], y3 = q[7];
    double W = (double)right - left, H = (double)bottom - top;
    *orientation = (y0 - y3) * (x3 - x2) - (y3 - y2) * (x0 - x3) > 0.0;
    // Destination point = q0 + u*a + v*b + u*v*c for u, v in 0..1 across the rectangle.
    double ax = x1 - x0, ay = y1 - y0, bx = x3 - x0, by = y3 - y0, cx = x0 - x1 + x2 - x3, cy = y0 - y1 + y2 - y3;
    double K1 = (y3 - y2) * (x0 - x1) + (y1 - y0) * (x3 - x2);
    double K2 = (x2 - x1) * (y0 - y3) + (y2 - y1) * (x3 - x0);
    double ab = cross(ax, ay, bx, by);
    // p x c, p x b and p x a as linear forms in (X, Y) with p = (X - x0, Y - y0): (coefX, coefY, constant).
    const double pc[3] = {cy, -cx, cx * y0 - cy * x0}, pb[3] = {by, -bx, bx * y0 - by * x0};
    const double pa[3] = {ay, -ax, ax * y0 - ay * x0};
    double* r = inv->r;
    for (int i = 0; i < 11; ++i)
        r[i] = 0.0;
    bool quadU = std::fabs(K1) > 1e-10, quadV = std::fabs(K2) > 1e-10;
    inv->solution = quadU && quadV ? 0 : quadV ? 1 : quadU ? 2 : 3;
    inv->root = 0;
    auto setA = [&](const double f[3], double s, double add) {
        r[0] = s * f[0], r[1] = s * f[1], r[2] = s * f[2] + add;
    };
    auto setB = [&](const double f[3], double s, double add) {
        r[4] = s * f[0], r[6] = s * f[1], r[8] = s * f[2] + add;
    };
    auto setC = [&](const double f[3], double s, double add) {
        r[5] = s * f[0], r[7] = s * f[1], r[9] = s * f[2] + add;
    };
    switch (inv->solution) {
    case 0:  // u' = W*u solves u'^2 - 2*A*u' + B = 0; v follows linearly from u.
        setA(pc, W / (2.0 * K1), -W * ab / (2.0 * K1));
        setB(pb, -W * W / K1, 0.0);
        setC(pc, H / K2, top);
        r[3] = -H * K1 / (W * K2);
        r[10] = left;
        break;
    case 1:  // u = p x b / (a x b - p x c), v = p x c / (b x c).
        setA(pc, -1.0, ab);
        setB(pb, W, 0.0);
        setC(pc, H / K2, top);
        r[10] = left;
        break;
    case 2:  // u = p x c / (a x c), v = p x a / (b x a - p x c).
        setA(pc, -1.0, -ab);
        setB(pc, W / K1, left);
        setC(pa, H, 0.0);
        r[10] = top;
        break;
    default:  // A parallelogram: u = p x b / (a x b), v = -p x a / (a x b).
        setB(pb, W / ab, left);
        setC(pa, -H / ab, top);
        break;
    }
    if (inv->solution == 0) {
        // Take the root that lands inside the rectangle for the quadrangle's middle.
        double X = x0 + 0.5 * ax + 0.5 * bx + 0.25 * cx, Y = y0 + 0.5 * ay + 0.5 * by + 0.25 * cy;
        double A = r[0] * X + r[1] * Y + r[2], B = r[4] * X + r[6] * Y + r[8];
        inv->root = std::fabs(root(A, B, 1) - 0.5 * W) < std::fabs(root(A, B, 0) - 0.5 * W);
    }
}

void impBilinearInversePoint(const ImpBilinearInverse& inv, double X, double Y, double* x, double* y)
{
    const double* r = inv.r;
    double A = r[0] * X + r[1] * Y + r[2], B = r[6] * Y + r[4] * X + r[8], C = r[7] * Y + r[9] + r[5] * X;
    switch (inv.solution) {
    case 0: {
        double u = root(A, B, inv.root);
        *x = u + r[10];
        *y = r[3] * u + C;
        break;
    }
    case 1:
        *x = quotient(B, A) + r[10];
        *y = C;
        break;
    case 2:
        *x = B;
        *y = quotient(C, A) + r[10];
        break;
    default: *x = B; *y = C;
    }
}

void impBilinearInverseCorners(const ImpBilinearInverse& inv, int32_t left, int32_t top, int32_t right, int32_t bottom,
                               double corners[8])
{
    const double xs[4] = {(double)left, (double)right, (double)right, (double)left};
    const double ys[4] = {(double)top, (double)top, (double)bottom, (double)bottom};
    for (int i = 0; i < 4; ++i)
        impBilinearInversePoint(inv, xs[i], ys[i], &corners[2 * i], &corners[2 * i + 1]);
}
