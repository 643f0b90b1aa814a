// Affine warp row kernels: nearest neighbour, linear and cubic for 8 and 16 bits, nearest for 1 bit.
#include "imp/impwarp_kernels.h"

#include <algorithm>
#include <cmath>

namespace {

// Addressing of one order: pixel order steps whole pixels along x and one sample per channel;
// planar order steps one sample along x and one plane per channel.
template <typename T, bool Planar>
struct Layout {
    int64_t xs, xd, cs, cd;
    explicit Layout(const ImpWarpRun& r)
        : xs(Planar ? (int64_t)sizeof(T) : r.srcStride * (int64_t)sizeof(T)),
          xd(Planar ? (int64_t)sizeof(T) : r.dstStride * (int64_t)sizeof(T)),
          cs(Planar ? r.srcStride : (int64_t)sizeof(T)),
          cd(Planar ? r.dstStride : (int64_t)sizeof(T))
    {
    }
};

template <typename T>
inline T& sample(char* p)
{
    return *reinterpret_cast<T*>(p);
}
template <typename T>
inline T sample(const char* p)
{
    return *reinterpret_cast<const T*>(p);
}

template <typename T, bool Planar>
void nearest(const ImpWarpRun& r)
{
    Layout<T, Planar> l(r);
    ImpFixedWalk w(r, 32768);
    char* row = r.dst;
    for (int32_t Y = r.firstRow; Y <= r.lastRow; ++Y, row += r.dstStep, w.nextRow()) {
        int32_t L = r.firstCol[Y - r.firstRow], R = r.lastCol[Y - r.firstRow];
        for (int32_t X = L; X <= R; ++X) {
            // The span keeps the point inside the source; the clamp guards against rounding drift.
            int64_t x = std::clamp<int64_t>((w.A * X + w.bx) >> 16, 0, r.maxX);
            int64_t y = std::clamp<int64_t>((w.D * X + w.by) >> 16, 0, r.maxY);
            const char* s = r.src + y * r.srcStep + x * l.xs;
            char* d = row + X * l.xd;
            for (int32_t k = r.channels - 1; k >= 0; --k)
                sample<T>(d + k * l.cd) = sample<T>(s + k * l.cs);
        }
    }
}

template <bool Planar>
void linear8(const ImpWarpRun& r)
{
    Layout<uint8_t, Planar> l(r);
    ImpFixedWalk w(r, 0);
    char* row = r.dst;
    for (int32_t Y = r.firstRow; Y <= r.lastRow; ++Y, row += r.dstStep, w.nextRow()) {
        int32_t L = r.firstCol[Y - r.firstRow], R = r.lastCol[Y - r.firstRow];
        for (int32_t X = L; X <= R; ++X) {
            int64_t x, y;
            int32_t wx, wy;
            impLinearCell(w.A * X + w.bx, r.maxX, &x, &wx);
            impLinearCell(w.D * X + w.by, r.maxY, &y, &wy);
            const uint8_t* s = (const uint8_t*)r.src + y * r.srcStep + x * l.xs;
            uint8_t* d = (uint8_t*)row + X * l.xd;
            for (int32_t k = 0; k < r.channels; ++k, s += l.cs, d += l.cd) {
                int32_t top = (s[0] * (16384 - wx) + s[l.xs] * wx) >> 8;
                int32_t bottom = (s[r.srcStep] * (16384 - wx) + s[r.srcStep + l.xs] * wx) >> 8;
                *d = (uint8_t)((top * (16384 - wy) + bottom * wy) >> 20);
            }
        }
    }
}

// Lower sample of a linear pair for a double coordinate, so that the upper one exists.
inline int64_t linearIndex(double v, int32_t max)
{
    return std::clamp<int64_t>(std::llrint(v + 1e-7 - 0.5), 0, max - 1);
}

template <bool Planar>
void linear16(const ImpWarpRun& r)
{
    Layout<uint16_t, Planar> l(r);
    char* row = r.dst;
    for (int32_t Y = r.firstRow; Y <= r.lastRow; ++Y, row += r.dstStep) {
        int32_t L = r.firstCol[Y - r.firstRow], R = r.lastCol[Y - r.firstRow];
        double x = r.m[0] * L + r.m[1] * Y + r.m[2], y = r.m[3] * L + r.m[4] * Y + r.m[5];
        for (int32_t X = L; X <= R; ++X, x += r.m[0], y += r.m[3]) {
            int64_t i = linearIndex(x, r.maxX), j = linearIndex(y, r.maxY);
            double fx = x - (double)i, fy = y - (double)j;
            const char* s = r.src + j * r.srcStep + i * l.xs;
            char* d = row + X * l.xd;
            for (int32_t k = 0; k < r.channels; ++k, s += l.cs, d += l.cd) {
                double p00 = sample<uint16_t>(s), p10 = sample<uint16_t>(s + l.xs);
                double p01 = sample<uint16_t>(s + r.srcStep), p11 = sample<uint16_t>(s + r.srcStep + l.xs);
                double top = p00 + (p10 - p00) * fx, bottom = p01 + (p11 - p01) * fx;
                sample<uint16_t>(d) = (uint16_t)std::nearbyint(std::clamp(top + (bottom - top) * fy, 0.0, 65535.0));
            }
        }
    }
}

// First sample of the four-sample cubic window: always inside 0 .. max.
inline int64_t cubicStart(bool belowOne, int64_t i, int32_t max)
{
    if (belowOne)
        return 0;
    return i < max - 1 ? i - 1 : max - 3;
}

template <bool Planar>
void cubic8(const ImpWarpRun& r)
{
    Layout<uint8_t, Planar> l(r);
    ImpFixedWalk w(r, 0);
    char* row = r.dst;
    for (int32_t Y = r.firstRow; Y <= r.lastRow; ++Y, row += r.dstStep, w.nextRow()) {
        int32_t L = r.firstCol[Y - r.firstRow], R = r.lastCol[Y - r.firstRow];
        for (int32_t X = L; X <= R; ++X) {
            int64_t cx = w.A * X + w.bx, cy = w.D * X + w.by;
            int64_t sx = cubicStart(cx < 65536, cx >> 16, r.maxX), sy = cubicStart(cy < 65536, cy >> 16, r.maxY);
            int32_t fx = (int32_t)(cx - (sx << 16) - 65536), fy = (int32_t)(cy - (sy << 16) - 65536);
            const uint8_t* s = (const uint8_t*)r.src + sy * r.srcStep + sx * l.xs;
            uint8_t* d = (uint8_t*)row + X * l.xd;
            for (int32_t k = 0; k < r.channels; ++k, s += l.cs, d += l.cd)
                *d = (uint8_t)(Planar ? impCubic8u(s, r.srcStep, fx, fy)
                                      : impCubic8uStrided(s, r.srcStep, l.xs, fx, fy));
        }
    }
}

template <bool Planar>
void cubic16(const ImpWarpRun& r)
{
    Layout<uint16_t, Planar> l(r);
    char* row = r.dst;
    for (int32_t Y = r.firstRow; Y <= r.lastRow; ++Y, row += r.dstStep) {
        int32_t L = r.firstCol[Y - r.firstRow], R = r.lastCol[Y - r.firstRow];
        double x = r.m[0] * L + r.m[1] * Y + r.m[2], y = r.m[3] * L + r.m[4] * Y + r.m[5];
        for (int32_t X = L; X <= R; ++X, x += r.m[0], y += r.m[3]) {
            int64_t i = std::llrint(x + 1e-7 - 0.5), j = std::llrint(y + 1e-7 - 0.5);
            int64_t sx = cubicStart(i < 1, i, r.maxX), sy = cubicStart(j < 1, j, r.maxY);
            float fx = (float)(x - (double)sx - 1.0), fy = (float)(y - (double)sy - 1.0);
            const char* s = r.src + sy * r.srcStep + sx * l.xs;
            char* d = row + X * l.xd;
            for (int32_t k = 0; k < r.channels; ++k, s += l.cs, d += l.cd) {
                const uint16_t* p = (const uint16_t*)s;
                sample<uint16_t>(d) = (uint16_t)(Planar ? impCubic16u(p, r.srcStep, fx, fy)
                                                        : impCubic16uStrided(p, r.srcStep, l.xs / 2, fx, fy));
            }
        }
    }
}

}  // namespace

ImpFixedWalk::ImpFixedWalk(const ImpWarpRun& r, int64_t bias)
{
    A = std::llrint(r.m[0] * 65536.0);
    D = std::llrint(r.m[3] * 65536.0);
    bx = std::llrint((r.firstRow * r.m[1] + r.m[2]) * 65536.0) + bias;
    by = std::llrint((r.firstRow * r.m[4] + r.m[5]) * 65536.0) + bias;
    stepX = std::llrint(r.m[1] * 65536.0);
    stepY = std::llrint(r.m[4] * 65536.0);
}

void impWarpNN8uPixelRef(const ImpWarpRun& run) { nearest<uint8_t, false>(run); }
void impWarpLinear8uPixelRef(const ImpWarpRun& run) { linear8<false>(run); }

const ImpWarpKernel ImpWarpAffineKernels[12] = {
    impWarpNN8uPixel,         impWarpLinear8uPixel, cubic8<false>,
    nearest<uint8_t, true>,   linear8<true>,        cubic8<true>,
    nearest<uint16_t, false>, linear16<false>,      cubic16<false>,
    nearest<uint16_t, true>,  linear16<true>,       cubic16<true>,
};

void impWarpAffine1u(const ImpWarpRun& r)
{
    ImpFixedWalk w(r, 32768);
    unsigned char* row = (unsigned char*)r.dst;
    for (int32_t Y = r.firstRow; Y <= r.lastRow; ++Y, row += r.dstStep, w.nextRow()) {
        int32_t L = r.firstCol[Y - r.firstRow], R = r.lastCol[Y - r.firstRow];
        for (int32_t X = L; X <= R; ++X) {
            int64_t x = std::clamp<int64_t>((w.A * X + w.bx) >> 16, 0, r.maxX);
            int64_t y = std::clamp<int64_t>((w.D * X + w.by) >> 16, 0, r.maxY);
            bool on = (((const unsigned char*)r.src)[y * r.srcStep + (x >> 3)] >> (7 - (x & 7))) & 1;
            unsigned char bit = (unsigned char)(0x80 >> (X & 7));
            row[X >> 3] = on ? (unsigned char)(row[X >> 3] | bit) : (unsigned char)(row[X >> 3] & ~bit);
        }
    }
}
