// Warps and rotation of the image library: entry points, plane geometry and row kernels.
#pragma once

#include "imp/imp_types.h"

// X = a*x + b*y + c, Y = d*x + e*y + f.
typedef double ImpAffineCoeffs[6];
// x0, y0 .. x3, y3: images of (left, top), (right, top), (right, bottom), (left, bottom).
typedef double ImpQuadCorners[8];

// Transform kinds of the warp driver.
#define IMP_WARP_AFFINE 0
#define IMP_WARP_BILINEAR 1
#define IMP_WARP_PERSPECTIVE 2

// Interpolation flag asking for the warped region's border to be blended with its surroundings.
#define IMP_SMOOTH_EDGE 16

void impWarpAffine(ImpHeader* srcImage, ImpHeader* dstImage, const double coeffs[6], int32_t interpolate);
void impRotate(ImpHeader* srcImage, ImpHeader* dstImage, double angle, double xShift, double yShift,
               int32_t interpolate);
void impRotateCenterShift(double xCenter, double yCenter, double angle, double* xShift, double* yShift);
void impGetAffineQuad(const ImpHeader* image, const double coeffs[6], double corners[8]);

// Driver shared by the three transform kinds; clip 1 clips regions to their images.
void impWarpGeneric(ImpHeader* src, ImpHeader* dst, const double corners[8], int32_t interpolate, const char* name,
                    int32_t kind, int32_t clip);

// Blends the pixels along the quadrangle's edges (clipped to bounds) with their neighbours across them.
void impWarpSmoothEdges(ImpHeader* dst, const double corners[8], const int32_t bounds[4], int32_t orientation);
// One sample of any image, tiled ones included; depths other than 8, 16 and float read 0.
double impGetPixelValue(ImpHeader* image, int32_t x, int32_t y, int32_t channel);
void impSetPixelValue(ImpHeader* image, int32_t x, int32_t y, int32_t channel, double value);
