// Row kernels of the affine warp and the cubic point evaluators they share with the other warps.
#pragma once

#include <cstdint>

// One warp of the spans firstCol..lastCol of rows firstRow..lastRow.
struct ImpWarpRun {
    const char* src;  // source pixel (0, 0) of the first channel to process
    char* dst;        // destination pixel (0, firstRow) of that channel
    int64_t srcStep;  // row steps in bytes
    int64_t dstStep;
    int64_t srcStride;  // pixel order: channels per pixel; planar: plane step in bytes
    int64_t dstStride;
    int32_t channels;  // channels to process
    int32_t firstRow;
    int32_t lastRow;
    const int32_t* firstCol;  // per row, indexed by row - firstRow
    const int32_t* lastCol;
    double m[6];   // inverse map: x = m0*X + m1*Y + m2, y = m3*X + m4*Y + m5
    int32_t maxX;  // source width - 1 and height - 1
    int32_t maxY;
};

typedef void (*ImpWarpKernel)(const ImpWarpRun& run);

// Index (depth 16 ? 6 : 0) + (planar ? 3 : 0) + interpolation mode.
extern const ImpWarpKernel ImpWarpAffineKernels[12];
void impWarpAffine1u(const ImpWarpRun& run);

// 8-bit pixel-order nearest and linear kernels: a fast path for three-channel pixels over the scalar ones,
// which stay callable on their own as the reference the fast path must equal.
void impWarpNN8uPixel(const ImpWarpRun& run);
void impWarpLinear8uPixel(const ImpWarpRun& run);
void impWarpNN8uPixelRef(const ImpWarpRun& run);
void impWarpLinear8uPixelRef(const ImpWarpRun& run);

// 16.16 coordinates of rows stepped by additions, rounded once: shared by the scalar and fast kernels.
struct ImpFixedWalk {
    int64_t A, D, bx, by, stepX, stepY;
    ImpFixedWalk(const ImpWarpRun& r, int64_t bias);
    void nextRow()
    {
        bx += stepX;
        by += stepY;
    }
};

// Integer part and 14-bit weight of a 16.16 coordinate, kept so that the next sample exists.
inline void impLinearCell(int64_t c, int32_t max, int64_t* i, int32_t* w)
{
    c = c < 0 ? 0 : c > ((int64_t)max << 16) ? ((int64_t)max << 16) : c;
    int64_t k = (c >> 16) < max - 1 ? (c >> 16) : max - 1;
    *i = k;
    *w = (int32_t)((c - (k << 16)) >> 2);
}

// 4 x 4 neighbourhood at p; fractions from the second sample, 16.16 for 8 bits, plain for 16 bits.
int32_t impCubic8u(const uint8_t* p, int64_t rowStep, int32_t fx, int32_t fy);
int32_t impCubic8uStrided(const uint8_t* p, int64_t rowStep, int64_t stride, int32_t fx, int32_t fy);
int32_t impCubic16u(const uint16_t* p, int64_t rowStep, float fx, float fy);
int32_t impCubic16uStrided(const uint16_t* p, int64_t rowStep, int64_t stride, float fx, float fy);
