// Decimation row routines for 8-bit and 16-bit samples: nearest, linear, cubic and area average.
#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

#include "imp/impdecim_box.h"
#include "imp/impdecim_fast.h"
#include "imp/impdecim_rows.h"

namespace {

const double kSixth = (double)(1.0f / 6.0f);

template <typename T>
constexpr int64_t maxOf()
{
    return sizeof(T) == 1 ? 255 : 65535;
}

template <typename T>
T clampStore(double v)
{
    int64_t i = (int64_t)v;  // truncation toward zero
    return (T)std::clamp<int64_t>(i, 0, maxOf<T>());
}

// Lagrange cubic through p-1, p0, p1, p2 at f.
double lagrange(double pm, double p0, double p1, double p2, double f)
{
    double f2 = f * f, f3 = f2 * f;
    return (6 * p0 + f * (-2 * pm - 3 * p0 + 6 * p1 - p2) + f2 * (3 * pm - 6 * p0 + 3 * p1) +
            f3 * (-pm + 3 * p0 - 3 * p1 + p2)) *
           kSixth;
}

// Cubic along one axis of a sample line s (step between taps), position v, extent of the line.
template <typename T>
double cubicAt(const T* line, double v, int64_t step, int64_t extent)
{
    int64_t s = (int64_t)v;
    double f = v - s;
    int64_t o = s * step;
    if (o >= extent - 2 * step) {
        o -= step;
        f += 1.0;
    }
    return lagrange(line[o - step], line[o], line[o + step], line[o + 2 * step], f);
}

// Destination columns or rows in an extent.
int64_t stepsIn(int64_t extent, int64_t step) { return extent > 0 ? (extent + step - 1) / step : 0; }

bool nearestFast(const ImpDecimArgs& a, float* px, float* py)
{
    DecimAxis cols, rows;
    int64_t nc = stepsIn(a.dstColumnExtent, a.dstPixelStep), nr = stepsIn(a.dstRowExtent, a.dstRowStep);
    if (!cols.build(nc, *px, a.xRatio) || !rows.build(nr, *py, a.yRatio) || !impDecimFastNearest8u(a, cols, rows))
        return false;
    if (nr > 0)
        *px = (float)cols.end;
    *py = (float)rows.end;
    return true;
}

// Plain selects the sample-by-sample loops even where a fast form exists.
template <typename T, bool Plain>
int32_t nearest(const ImpDecimArgs& a, float* px, float* py)
{
    if constexpr (!Plain && sizeof(T) == 1)
        if (nearestFast(a, px, py))
            return 1;
    const T* src = (const T*)a.src;
    T* dst = (T*)a.dst;
    double x0 = *px, y0 = *py, x = x0, y = y0;
    // Indices stay inside the source where its extents are known (tiles pass none).
    int64_t lastRow = a.srcHeightExtent > 0 ? a.srcHeightExtent / a.srcRowStep - 1 : INT64_MAX;
    int64_t lastCol = a.srcWidthExtent > 0 ? a.srcWidthExtent / a.srcPixelStep - 1 : INT64_MAX;
    for (int64_t c = 0, sc = 0; c < a.dstChannelEnd; c += a.dstChannelStep, sc += a.srcChannelStep) {
        y = y0;
        for (int64_t r = 0; r < a.dstRowExtent; r += a.dstRowStep, y += a.yRatio) {
            const T* srow = src + sc + std::min((int64_t)y, lastRow) * a.srcRowStep;
            x = x0;
            for (int64_t q = 0; q < a.dstColumnExtent; q += a.dstPixelStep, x += a.xRatio)
                dst[c + r + q] = srow[std::min((int64_t)x, lastCol) * a.srcPixelStep];
        }
    }
    *px = (float)x;
    *py = (float)y;
    return 1;
}

// One axis of a decimation: its destination extent and step, the source step between taps and the source
// extent along it, and the ratio of source to destination positions.
struct DecimLine {
    int64_t dstExtent, dstStep, srcStep, srcExtent;
    double ratio;
};

// Interpolation along one axis only, the other sampled at whole positions; Cubic selects the cubic taps instead
// of the linear ones. AlongX runs the taps along each row, else down each column: the outer loop walks the
// other axis, so each position comes back as the loops leave it.
template <typename T, bool Cubic, bool AlongX>
int32_t alongAxis(const ImpDecimArgs& a, float* px, float* py)
{
    const DecimLine cols{a.dstColumnExtent, a.dstPixelStep, a.srcPixelStep, a.srcWidthExtent, a.xRatio};
    const DecimLine rows{a.dstRowExtent, a.dstRowStep, a.srcRowStep, a.srcHeightExtent, a.yRatio};
    const DecimLine& along = AlongX ? cols : rows;
    const DecimLine& across = AlongX ? rows : cols;
    const T* src = (const T*)a.src;
    T* dst = (T*)a.dst;
    const double alongStart = AlongX ? *px : *py, acrossStart = AlongX ? *py : *px;
    double u = alongStart, w = acrossStart;
    if (a.dstChannelEnd < 1) {
        *px = 0;
        *py = 0;
        return 1;
    }
    for (int64_t c = 0, sc = 0; c < a.dstChannelEnd; c += a.dstChannelStep, sc += a.srcChannelStep) {
        w = acrossStart;
        for (int64_t o = 0; o < across.dstExtent; o += across.dstStep, w += across.ratio) {
            const T* line = src + sc + (int64_t)w * across.srcStep;
            u = alongStart;
            int64_t i = 0;
            if (alongStart < FLT_MIN) {
                if (along.dstExtent > 0)
                    dst[c + o] = line[0];
                i = along.dstStep;
                u = along.ratio;
            }
            for (; i < along.dstExtent; i += along.dstStep, u += along.ratio) {
                if (Cubic) {
                    dst[c + o + i] = clampStore<T>(cubicAt(line, u, along.srcStep, along.srcExtent));
                } else {
                    int64_t s = (int64_t)u;
                    double f = u - s;
                    double v = (1 - f) * line[s * along.srcStep] + (f > 0 ? f * line[(s + 1) * along.srcStep] : 0.0);
                    dst[c + o + i] = (T)(int64_t)v;
                }
            }
        }
    }
    *px = (float)(AlongX ? u : w);
    *py = (float)(AlongX ? w : u);
    return 1;
}

template <typename T, bool Cubic>
int32_t alongX(const ImpDecimArgs& a, float* px, float* py)
{
    return alongAxis<T, Cubic, true>(a, px, py);
}

template <typename T, bool Cubic>
int32_t alongY(const ImpDecimArgs& a, float* px, float* py)
{
    return alongAxis<T, Cubic, false>(a, px, py);
}

// The area past the first row and column by a fast form, from positions xStart and yStart.
template <bool Cubic>
bool bothAxesFast(const ImpDecimArgs& a, double xStart, double yStart, float* px, float* py)
{
    DecimAxis cols, rows;
    int64_t nc = stepsIn(a.dstColumnExtent, a.dstPixelStep), nr = stepsIn(a.dstRowExtent, a.dstRowStep);
    if (!cols.build(nc, xStart, a.xRatio) || !rows.build(nr, yStart, a.yRatio))
        return false;
    if (!(Cubic ? impDecimFastCubic8u(a, cols, rows) : impDecimFastLinear8u(a, cols, rows)))
        return false;
    *px = (float)(nr > 0 ? cols.end : xStart);
    *py = (float)rows.end;
    return true;
}

// Both axes: the first row and column go to the one-axis routines.
template <typename T, bool Cubic, bool Plain>
int32_t bothAxes(const ImpDecimArgs& in, float* px, float* py)
{
    ImpDecimArgs a = in;
    if (a.dstChannelEnd < 1) {
        *px = 0;
        *py = 0;
        return 1;
    }
    float x0 = *px, y0 = *py;
    double yStart = y0;
    if (y0 < FLT_MIN) {
        ImpDecimArgs first = a;
        first.dstRowExtent = std::min(a.dstRowStep, a.dstRowExtent);
        float fx = x0, fy = y0;
        alongX<T, Cubic>(first, &fx, &fy);
        a.dst = (T*)a.dst + a.dstRowStep;
        a.dstRowExtent -= a.dstRowStep;
        yStart = a.yRatio;
        if (a.dstRowExtent <= 0) {
            *px = fx;
            *py = (float)(y0 + a.yRatio);
            return 1;
        }
    }
    double xStart = x0;
    if (x0 < FLT_MIN) {
        ImpDecimArgs first = a;
        first.dstColumnExtent = std::min(a.dstPixelStep, a.dstColumnExtent);
        float fx = x0, fy = (float)yStart;
        alongY<T, Cubic>(first, &fx, &fy);
        a.dst = (T*)a.dst + a.dstPixelStep;
        a.dstColumnExtent -= a.dstPixelStep;
        xStart = a.xRatio;
        if (a.dstColumnExtent <= 0) {
            *px = fx;
            *py = fy;
            return 1;
        }
    }
    if constexpr (!Plain && sizeof(T) == 1)
        if (bothAxesFast<Cubic>(a, xStart, yStart, px, py))
            return 1;
    const T* src = (const T*)a.src;
    T* dst = (T*)a.dst;
    double x = xStart, y = yStart;
    for (int64_t c = 0, sc = 0; c < a.dstChannelEnd; c += a.dstChannelStep, sc += a.srcChannelStep) {
        y = yStart;
        for (int64_t r = 0; r < a.dstRowExtent; r += a.dstRowStep, y += a.yRatio) {
            x = xStart;
            for (int64_t q = 0; q < a.dstColumnExtent; q += a.dstPixelStep, x += a.xRatio) {
                if (Cubic) {
                    int64_t sy = (int64_t)y;
                    double fy = y - sy;
                    int64_t oy = sy * a.srcRowStep;
                    if (oy >= a.srcHeightExtent - 2 * a.srcRowStep) {
                        oy -= a.srcRowStep;
                        fy += 1.0;
                    }
                    double v[4];
                    for (int m = 0; m < 4; ++m)
                        v[m] = cubicAt(src + sc + oy + (m - 1) * a.srcRowStep, x, a.srcPixelStep, a.srcWidthExtent);
                    dst[c + r + q] = clampStore<T>(lagrange(v[0], v[1], v[2], v[3], fy));
                } else {
                    int64_t sy = (int64_t)y, sx = (int64_t)x;
                    double fy = y - sy, fx = x - sx;
                    const T* p0 = src + sc + sy * a.srcRowStep + sx * a.srcPixelStep;
                    auto at = [&](int64_t dy, int64_t dx) -> double {
                        if ((dy && fy <= 0) || (dx && fx <= 0))
                            return 0.0;
                        return p0[dy * a.srcRowStep + dx * a.srcPixelStep];
                    };
                    double v =
                        (at(0, 0) * (1 - fx) + at(0, 1) * fx) * (1 - fy) + (at(1, 0) * (1 - fx) + at(1, 1) * fx) * fy;
                    dst[c + r + q] = (T)(int64_t)v;
                }
            }
        }
    }
    *px = (float)x;
    *py = (float)y;
    return 1;
}

// Windows of exactly 2 x 2 pixels from whole-pixel positions that never reach past the source: every partial
// weight is 1 or 0, so each sample is the rounded mean of four.
bool superHalfFast(const ImpDecimArgs& a, int64_t maxCols, int64_t maxRows, float* px, float* py)
{
    double x0 = *px, y0 = *py;
    int64_t nc = stepsIn(a.dstColumnExtent, a.dstPixelStep), nr = stepsIn(a.dstRowExtent, a.dstRowStep);
    if (a.xRatio != 2.0f || a.yRatio != 2.0f || x0 < 0 || y0 < 0 || x0 != (double)(int64_t)x0 ||
        y0 != (double)(int64_t)y0 || (int64_t)x0 + 2 * nc > maxCols || (int64_t)y0 + 2 * nr > maxRows)
        return false;
    if (!impDecimFastSuperHalf8u(a, (int64_t)x0, (int64_t)y0, nc, nr))
        return false;
    if (nr > 0)
        *px = (float)(x0 + 2.0 * (double)nc);
    *py = (float)(y0 + 2.0 * (double)nr);
    return true;
}

template <typename T, bool Plain>
int32_t super(const ImpDecimArgs& a, float* px, float* py)
{
    const T* src = (const T*)a.src;
    T* dst = (T*)a.dst;
    double x0 = *px, y0 = *py, x = x0, y = y0;
    if (a.dstChannelEnd < 1) {
        *px = 0;
        *py = 0;
        return 1;
    }
    double rx = a.xRatio, ry = a.yRatio;
    int64_t maxRows = a.srcHeightExtent / a.srcRowStep, maxCols = a.srcWidthExtent / a.srcPixelStep;
    if constexpr (!Plain && sizeof(T) == 1) {
        if (superHalfFast(a, maxCols, maxRows, px, py))
            return 1;
        double xEnd, yEnd;
        if (impDecimFastSuper8u(a, x0, y0, &xEnd, &yEnd)) {
            *px = (float)xEnd;
            *py = (float)yEnd;
            return 1;
        }
    }
    double norm = 1.0 / (ry * rx);
    for (int64_t c = 0, sc = 0; c < a.dstChannelEnd; c += a.dstChannelStep, sc += a.srcChannelStep) {
        y = y0;
        for (int64_t r = 0; r < a.dstRowExtent; r += a.dstRowStep) {
            DecimSpan rows = decimSpan(y, ry, a.srcRowStep, a.srcHeightExtent, maxRows);
            x = x0;
            for (int64_t q = 0; q < a.dstColumnExtent; q += a.dstPixelStep) {
                DecimSpan cols = decimSpan(x, rx, a.srcPixelStep, a.srcWidthExtent, maxCols);
                double sum = decimBoxSum(rows, cols, [&](int64_t row, int64_t col) -> double {
                    return src[sc + row * a.srcRowStep + col * a.srcPixelStep];
                });
                double v = sum * norm + 0.5;
                dst[c + r + q] = v < 1 ? (T)0 : (T)(int64_t)v;
                x = cols.end;
            }
            y = rows.end;
        }
    }
    *px = (float)x;
    *py = (float)y;
    return 1;
}

}  // namespace

int32_t impDecimNearest8u(const ImpDecimArgs& a, float* x, float* y) { return nearest<uint8_t, false>(a, x, y); }
int32_t impDecimLinearX8u(const ImpDecimArgs& a, float* x, float* y) { return alongX<uint8_t, false>(a, x, y); }
int32_t impDecimLinearY8u(const ImpDecimArgs& a, float* x, float* y) { return alongY<uint8_t, false>(a, x, y); }
int32_t impDecimLinear8u(const ImpDecimArgs& a, float* x, float* y) { return bothAxes<uint8_t, false, false>(a, x, y); }
int32_t impDecimCubicX8u(const ImpDecimArgs& a, float* x, float* y) { return alongX<uint8_t, true>(a, x, y); }
int32_t impDecimCubicY8u(const ImpDecimArgs& a, float* x, float* y) { return alongY<uint8_t, true>(a, x, y); }
int32_t impDecimCubic8u(const ImpDecimArgs& a, float* x, float* y) { return bothAxes<uint8_t, true, false>(a, x, y); }
int32_t impDecimSuper8u(const ImpDecimArgs& a, float* x, float* y) { return super<uint8_t, false>(a, x, y); }
int32_t impDecimNearest16u(const ImpDecimArgs& a, float* x, float* y) { return nearest<uint16_t, false>(a, x, y); }
int32_t impDecimLinearX16u(const ImpDecimArgs& a, float* x, float* y) { return alongX<uint16_t, false>(a, x, y); }
int32_t impDecimLinearY16u(const ImpDecimArgs& a, float* x, float* y) { return alongY<uint16_t, false>(a, x, y); }
int32_t impDecimLinear16u(const ImpDecimArgs& a, float* x, float* y)
{
    return bothAxes<uint16_t, false, false>(a, x, y);
}
int32_t impDecimCubicX16u(const ImpDecimArgs& a, float* x, float* y) { return alongX<uint16_t, true>(a, x, y); }
int32_t impDecimCubicY16u(const ImpDecimArgs& a, float* x, float* y) { return alongY<uint16_t, true>(a, x, y); }
int32_t impDecimCubic16u(const ImpDecimArgs& a, float* x, float* y) { return bothAxes<uint16_t, true, false>(a, x, y); }
int32_t impDecimSuper16u(const ImpDecimArgs& a, float* x, float* y) { return super<uint16_t, false>(a, x, y); }

int32_t impDecimNearest8uPlain(const ImpDecimArgs& a, float* x, float* y) { return nearest<uint8_t, true>(a, x, y); }
int32_t impDecimLinear8uPlain(const ImpDecimArgs& a, float* x, float* y)
{
    return bothAxes<uint8_t, false, true>(a, x, y);
}
int32_t impDecimCubic8uPlain(const ImpDecimArgs& a, float* x, float* y)
{
    return bothAxes<uint8_t, true, true>(a, x, y);
}
int32_t impDecimSuper8uPlain(const ImpDecimArgs& a, float* x, float* y) { return super<uint8_t, true>(a, x, y); }
