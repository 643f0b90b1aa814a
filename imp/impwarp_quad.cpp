// Perspective and bilinear warp kernels: a run of source points per row, then sampling by interpolation mode.
#include "imp/impwarp_quad.h"

#include <algorithm>
#include <cmath>

namespace {

void reciprocals(const double* w, double* inv, int32_t count)
{
    if (count == 1) {
        inv[0] = 1.0 / w[0];
        return;
    }
    double all = 1.0;
    for (int32_t i = 0; i < count; ++i)
        all *= w[i];
    double q = 1.0 / all;
    for (int32_t i = 0; i < count; ++i) {
        double others = 1.0;
        for (int32_t j = 0; j < count; ++j)
            if (j != i)
                others *= w[j];
        inv[i] = others * q;
    }
}

// Coordinates that are not finite sample the first pixel instead of an address far outside the image.
inline double finite(double v) { return std::isfinite(v) ? v : 0.0; }

template <typename T, bool Planar>
struct Sampler {
    const ImpWarpRun& r;
    int64_t xs, cs;
    explicit Sampler(const ImpWarpRun& run)
        : r(run),
          xs(Planar ? (int64_t)sizeof(T) : run.srcStride * (int64_t)sizeof(T)),
          cs(Planar ? run.srcStride : (int64_t)sizeof(T))
    {
    }
    T at(int64_t x, int64_t y, int32_t k) const { return *(const T*)(r.src + y * r.srcStep + x * xs + k * cs); }

    // Writes the channels of destination d from source point (x, y).
    void put(double x, double y, int32_t mode, char* d, int64_t dx, int64_t dc) const
    {
        x = finite(x);
        y = finite(y);
        if (mode == 0) {
            int64_t i = std::clamp<int64_t>(std::llrint(std::clamp(x, -1.0, (double)r.maxX + 1)), 0, r.maxX);
            int64_t j = std::clamp<int64_t>(std::llrint(std::clamp(y, -1.0, (double)r.maxY + 1)), 0, r.maxY);
            for (int32_t k = 0; k < r.channels; ++k)
                *(T*)(d + k * dc) = at(i, j, k);
            return;
        }
        const double hi = sizeof(T) == 1 ? 255.0 : 65535.0;
        if (mode == 1) {
            int64_t i =
                std::clamp<int64_t>(std::llrint(std::clamp(x + 1e-7 - 0.5, -1.0, (double)r.maxX)), 0, r.maxX - 1);
            int64_t j =
                std::clamp<int64_t>(std::llrint(std::clamp(y + 1e-7 - 0.5, -1.0, (double)r.maxY)), 0, r.maxY - 1);
            double fx = x - (double)i, fy = y - (double)j;
            for (int32_t k = 0; k < r.channels; ++k) {
                double p00 = at(i, j, k), p10 = at(i + 1, j, k), p01 = at(i, j + 1, k), p11 = at(i + 1, j + 1, k);
                double top = p00 + (p10 - p00) * fx, bottom = p01 + (p11 - p01) * fx;
                *(T*)(d + k * dc) = (T)std::nearbyint(std::clamp(top + (bottom - top) * fy, 0.0, hi));
            }
            return;
        }
        auto start = [](double v, int32_t max) {
            int64_t i = std::llrint(std::clamp(v + 1e-7 - 0.5, -1.0, (double)max));
            return std::clamp<int64_t>(i < 1 ? 0 : i < max - 1 ? i - 1 : max - 3, 0, std::max(max - 3, 0));
        };
        int64_t sx = start(x, r.maxX), sy = start(y, r.maxY);
        const char* s = r.src + sy * r.srcStep + sx * xs;
        for (int32_t k = 0; k < r.channels; ++k, s += cs) {
            int32_t v;
            if (sizeof(T) == 1) {
                int32_t fx = (int32_t)std::llrint(std::clamp(x - sx - 1.0, -2.0, 3.0) * 65536.0);
                int32_t fy = (int32_t)std::llrint(std::clamp(y - sy - 1.0, -2.0, 3.0) * 65536.0);
                v = Planar ? impCubic8u((const uint8_t*)s, r.srcStep, fx, fy)
                           : impCubic8uStrided((const uint8_t*)s, r.srcStep, r.srcStride, fx, fy);
            } else {
                float fx = (float)(x - sx - 1.0), fy = (float)(y - sy - 1.0);
                v = Planar ? impCubic16u((const uint16_t*)s, r.srcStep, fx, fy)
                           : impCubic16uStrided((const uint16_t*)s, r.srcStep, r.srcStride, fx, fy);
            }
            *(T*)(d + k * dc) = (T)v;
        }
    }
};

// Fills the work buffer with the row's points and hands each to put(x, y, column).
template <typename Put>
void eachPoint(const ImpWarpRun& r, const ImpQuadMap& map, bool perspective, void* work, Put put)
{
    const double* c = map.c;
    const double* q = map.bilinear.r;
    // The terms that depend on the row alone are formed for the first row and carried down by adding their
    // slopes, so every row of a warp sees the same rounding whichever rows come before it.
    double Y0 = r.firstRow;
    double termW = c[7] * Y0 + c[8], termX = c[1] * Y0 + c[2], termY = c[4] * Y0 + c[5];
    double termB = q[6] * Y0 + q[8], termC = q[7] * Y0 + q[9];
    for (int32_t Y = r.firstRow; Y <= r.lastRow; ++Y) {
        int32_t L = r.firstCol[Y - r.firstRow], R = r.lastCol[Y - r.firstRow];
        if (R >= L) {
            int32_t n = R - L + 1;
            if (perspective) {
                double* b = (double*)work;
                impPerspectiveRowPoints(b, n, c[6] * L + termW, c[6], c[0] * L + termX, c[0], c[3] * L + termY, c[3]);
                for (int32_t k = 0; k < n; ++k)
                    put(b[k], b[n + k], Y, L + k);
            } else {
                float* b = (float*)work;
                impBilinearRowPoints(b, n, q[5] * L + termC, q[5], q[4] * L + termB, q[4], q[0] * L + q[1] * Y + q[2],
                                     q[0], q[3], q[10], map.bilinear.solution, map.bilinear.root);
                for (int32_t k = 0; k < n; ++k)
                    put((double)b[k], (double)b[n + k], Y, L + k);
            }
        }
        termW += c[7], termX += c[1], termY += c[4];
        termB += q[6], termC += q[7];
    }
}

template <typename T, bool Planar, bool Perspective>
void spanKernel(const ImpWarpRun& r, const ImpQuadMap& map, int32_t mode, void* work)
{
    Sampler<T, Planar> s(r);
    int64_t dx = Planar ? (int64_t)sizeof(T) : r.dstStride * (int64_t)sizeof(T);
    int64_t dc = Planar ? r.dstStride : (int64_t)sizeof(T);
    int32_t m = mode == 0 || mode == 1 ? mode : 2;
    eachPoint(r, map, Perspective, work, [&](double x, double y, int32_t Y, int32_t X) {
        s.put(x, y, m, r.dst + (int64_t)(Y - r.firstRow) * r.dstStep + X * dx, dx, dc);
    });
}

void bitKernel(const ImpWarpRun& r, const ImpQuadMap& map, bool perspective, void* work)
{
    eachPoint(r, map, perspective, work, [&](double x, double y, int32_t Y, int32_t X) {
        int64_t i = std::clamp<int64_t>(std::llrint(std::clamp(finite(x), -1.0, (double)r.maxX + 1)), 0, r.maxX);
        int64_t j = std::clamp<int64_t>(std::llrint(std::clamp(finite(y), -1.0, (double)r.maxY + 1)), 0, r.maxY);
        bool on = (((const unsigned char*)r.src)[j * r.srcStep + (i >> 3)] >> (7 - (i & 7))) & 1;
        unsigned char* d = (unsigned char*)r.dst + (int64_t)(Y - r.firstRow) * r.dstStep + (X >> 3);
        unsigned char bit = (unsigned char)(0x80 >> (X & 7));
        *d = on ? (unsigned char)(*d | bit) : (unsigned char)(*d & ~bit);
    });
}

}  // namespace

void impPerspectiveRowPoints(double* buffer, int32_t n, double w0, double dw, double x0, double dx, double y0,
                             double dy)
{
    double groupStart = w0, x = x0, y = y0;
    for (int32_t k = 0; k < n; k += 4) {
        int32_t count = std::min(4, n - k);
        double w[4], inv[4];
        w[0] = groupStart;
        for (int32_t i = 1; i < count; ++i)
            w[i] = w[i - 1] + dw;
        groupStart += 4 * dw;
        reciprocals(w, inv, count);
        for (int32_t i = 0; i < count; ++i, x += dx, y += dy) {
            buffer[k + i] = x * inv[i];
            buffer[n + k + i] = y * inv[i];
        }
    }
}

void impBilinearRowPoints(float* buffer, int32_t n, double C0, double dC, double B0, double dB, double A0, double dA,
                          double r3, double r10, int32_t solution, int32_t root)
{
    ImpBilinearInverse inv{};
    inv.r[3] = r3;
    inv.r[10] = r10;
    inv.solution = solution;
    inv.root = root;
    double A = A0, B = B0, C = C0;
    for (int32_t k = 0; k < n; ++k, A += dA, B += dB, C += dC) {
        // The point routine evaluates A, B and C from r2, r8 and r9 alone here.
        inv.r[2] = A;
        inv.r[8] = B;
        inv.r[9] = C;
        double x, y;
        impBilinearInversePoint(inv, 0.0, 0.0, &x, &y);
        buffer[k] = (float)x;
        buffer[n + k] = (float)y;
    }
}

const ImpWarpMapKernel ImpWarpPerspectiveKernels[4] = {
    spanKernel<uint8_t, false, true>, spanKernel<uint8_t, true, true>, spanKernel<uint16_t, false, true>,
    spanKernel<uint16_t, true, true>};
const ImpWarpMapKernel ImpWarpBilinearKernels[4] = {spanKernel<uint8_t, false, false>, spanKernel<uint8_t, true, false>,
                                                    spanKernel<uint16_t, false, false>,
                                                    spanKernel<uint16_t, true, false>};

void impWarpPerspective1u(const ImpWarpRun& run, const ImpQuadMap& map, int32_t, void* work)
{
    bitKernel(run, map, true, work);
}
void impWarpBilinear1u(const ImpWarpRun& run, const ImpQuadMap& map, int32_t, void* work)
{
    bitKernel(run, map, false, work);
}
