// Plane geometry of the warps: maps between a rectangle and a quadrangle, clipping and span tables.
#pragma once

#include <cstdint>

// Room for a quadrangle clipped by four sides, with its closing vertex.
#define IMP_POLYGON_MAX 10

void impAffineQuadCorners(const double coeffs[6], int32_t left, int32_t top, int32_t right, int32_t bottom,
                          double corners[8]);
void impAffineFromQuad(int32_t left, int32_t top, int32_t right, int32_t bottom, const double corners[8],
                       double coeffs[6], int32_t* orientation, int32_t forward);
void impPerspectiveQuadCorners(const double coeffs[9], int32_t left, int32_t top, int32_t right, int32_t bottom,
                               double corners[8]);
void impPerspectiveFromQuad(int32_t left, int32_t top, int32_t right, int32_t bottom, const double corners[8],
                            double coeffs[9], int32_t* orientation, int32_t forward);

// Clips a convex polygon (x, y pairs) to an inclusive rectangle; count 0 means nothing is left.
void impClipPolygonToRect(const double* in, double* out, int32_t* count, double left, double top, double right,
                          double bottom);
// First and last covered column of every row from ceil(ymin) to floor(ymax) of a convex polygon.
void impScanConvexPolygon(const double* polygon, int32_t count, int32_t firstRow, int32_t lastRow, int32_t* firstCol,
                          int32_t* lastCol);
// Spans of the destination pixels inside the quadrangle and the clip rectangle; 0 when none (or no memory).
// The arrays come from impAlignedMallocDwords and are freed with impAlignedFree.
int32_t impWarpSpans(const double corners[8], int32_t left, int32_t top, int32_t right, int32_t bottom,
                     int32_t** firstCol, int32_t** lastCol, int32_t* firstRow, int32_t* lastRow);

// Inverse of the bilinear map from a rectangle to a quadrangle: for a destination point (X, Y),
// A = r0*X + r1*Y + r2, B = r4*X + r6*Y + r8, C = r5*X + r7*Y + r9, and by the solution mode
// 0: u = A -/+ sqrt(A*A - B) (+ when root is set), x = u + r10, y = r3*u + C;
// 1: x = B/A + r10, y = C;  2: x = B, y = C/A + r10;  3: x = B, y = C.
struct ImpBilinearInverse {
    double r[11];
    int32_t solution;
    int32_t root;
};

void impBilinearFromQuad(int32_t left, int32_t top, int32_t right, int32_t bottom, const double corners[8],
                         ImpBilinearInverse* inverse, int32_t* orientation);
// The source point of one destination point; a negative discriminant counts as 0 and a zero divisor
// gives the quotient 0, so the point is always finite.
void impBilinearInversePoint(const ImpBilinearInverse& inverse, double X, double Y, double* x, double* y);
void impBilinearInverseCorners(const ImpBilinearInverse& inverse, int32_t left, int32_t top, int32_t right,
                               int32_t bottom, double corners[8]);
