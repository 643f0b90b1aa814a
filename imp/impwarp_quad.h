// Row kernels of the perspective and bilinear warps and the row routines that give them source points.
#pragma once

#include <cstdint>

#include "imp/impwarp_geom.h"
#include "imp/impwarp_kernels.h"

// Inverse map of a non-affine warp: the perspective adjugate (c0..c8) or the bilinear inverse.
struct ImpQuadMap {
    double c[9];
    ImpBilinearInverse bilinear;
};

// run.m is unused; interpolation 0 nearest, 1 linear, any other cubic; work holds two runs of a row's points.
typedef void (*ImpWarpMapKernel)(const ImpWarpRun& run, const ImpQuadMap& map, int32_t interpolation, void* work);

// Index (depth 16 ? 2 : 0) + (planar ? 1 : 0).
extern const ImpWarpMapKernel ImpWarpPerspectiveKernels[4];
extern const ImpWarpMapKernel ImpWarpBilinearKernels[4];
void impWarpPerspective1u(const ImpWarpRun& run, const ImpQuadMap& map, int32_t interpolation, void* work);
void impWarpBilinear1u(const ImpWarpRun& run, const ImpQuadMap& map, int32_t interpolation, void* work);

// buffer[k] and buffer[n + k]: source x and y of the run's k-th pixel, four reciprocals from one division.
void impPerspectiveRowPoints(double* buffer, int32_t n, double w0, double dw, double x0, double dx, double y0,
                             double dy);
// The same for the bilinear inverse, in single precision; never a square root of a negative value or a
// division by 0 (see impBilinearInversePoint).
void impBilinearRowPoints(float* buffer, int32_t n, double C0, double dC, double B0, double dB, double A0, double dA,
                          double r3, double r10, int32_t solution, int32_t root);
