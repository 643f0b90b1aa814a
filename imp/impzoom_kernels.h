// Row kernels of the general resampler: what impZoomCore hands them and the drivers.
#pragma once

#include <emmintrin.h>

#include <cstdint>

// One run of a zoom kernel; steps count bytes for 1-bit and 8-bit images and samples for 16-bit ones.
struct ImpZoomRun {
    const void* src;
    void* dst;
    int64_t srcStep, dstStep;
    int64_t srcPlane, dstPlane;
    int32_t width, height;
    int32_t channels;  // processed channels (pixel order) or planes (planar)
    int32_t srcChannels, dstChannels;
    const int32_t* rowTable;
    const int32_t* colTable;
    const int16_t* rowWeights;        // linear: w1 per row
    const int16_t* colWeights;        // linear: (w0, w1) per column
    const int16_t* colWeightVectors;  // linear: (w0, w1) four times per column, for packed multiply-adds
    const float* rowFractions;        // cubic
    const float* colFractions;
    const double* colCoeffs;  // cubic: c1, c2, c3 of every column, each run of width values
    void* work[4];
    const unsigned char* mask;  // null = no mask
    int64_t maskStep;
    int32_t maskBit;
    int32_t srcBit, dstBit;  // 1-bit images: bit column of the region's first pixel
    int64_t srcRowBytes;     // readable bytes from a region row's start to the end of its row step
};

inline bool impZoomMaskBit(const unsigned char* row, int64_t x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }

// floor(v) as the rounding to nearest of v + 0.00001 - 0.5 under the default rounding mode.
inline int32_t impFloorEps(double v) { return _mm_cvtsd_si32(_mm_set_sd(v + 0.00001 - 0.5)); }

void impZoomNN1u(const ImpZoomRun& run);
void impZoomNN8uPixel(const ImpZoomRun& run);
void impZoomNN8uPlanar(const ImpZoomRun& run);
void impZoomNN16uPixel(const ImpZoomRun& run);
void impZoomNN16uPlanar(const ImpZoomRun& run);
void impZoomLinear8uPixel(const ImpZoomRun& run);
void impZoomLinear8uPlanar(const ImpZoomRun& run);
void impZoomLinear16uPixel(const ImpZoomRun& run);
void impZoomLinear16uPlanar(const ImpZoomRun& run);
void impZoomCubic8uPixel(const ImpZoomRun& run);
void impZoomCubic8uPlanar(const ImpZoomRun& run);
void impZoomCubic16uPixel(const ImpZoomRun& run);
void impZoomCubic16uPlanar(const ImpZoomRun& run);

// Passes, exposed so that the vector forms can be checked against the plain ones.
void impZoomLinearH8uPixel(const uint8_t* src, int64_t srcRowBytes, int32_t width, int32_t channels,
                           int32_t srcChannels, const int32_t* colTable, const int16_t* colWeights,
                           const int16_t* colWeightVectors, int16_t* out);
void impZoomLinearH8uPixelRef(const uint8_t* src, int32_t width, int32_t channels, int32_t srcChannels,
                              const int32_t* colTable, const int16_t* colWeights, int16_t* out);
// The 8-bit horizontal bilinear pass by byte shuffles: for every four output values, where sixteen source bytes
// are loaded and how they spread into (p0, p1) pairs. Built once per run; the tables are the same for every row.
struct ImpLinearShufflePlan {
    int32_t groups = 0;          // whole groups of four output values
    int32_t begin = 0, end = 0;  // groups done by shuffles; the values before and after are done plainly
    int32_t periodEnd = 0;       // groups from begin to here repeat every six with windows periodStep further on
    int32_t periodStep = 0;
    int32_t* offsets = nullptr;  // window start of each group
    uint8_t* masks = nullptr;    // sixteen per group
    int16_t* weights = nullptr;  // (w0, w1) of each value of a group
    void* block = nullptr;
    ImpLinearShufflePlan() = default;
    ImpLinearShufflePlan(const ImpLinearShufflePlan&) = delete;
    ImpLinearShufflePlan& operator=(const ImpLinearShufflePlan&) = delete;
    ~ImpLinearShufflePlan();
    // False (and no plan) when the processor lacks byte shuffles or memory runs out.
    bool build(int64_t srcRowBytes, int32_t width, int32_t channels, int32_t srcChannels, const int32_t* colTable,
               const int16_t* colWeights);
};
void impZoomLinearH8uShuffle(const uint8_t* src, const ImpLinearShufflePlan& plan, int32_t width, int32_t channels,
                             int32_t srcChannels, const int32_t* colTable, const int16_t* colWeights, int16_t* out);
// One destination row (processed channels = destination channels, no mask) straight from the source rows
// upper and lower. The filtered rows go to `up` and `lo` only when keep is set, for the next destination row;
// with upperKept the upper row is taken from `up` as filtered before. The next destination row's source rows,
// `ahead` bytes after these, are fetched into the cache meanwhile.
void impZoomLinear8uShuffleRow(uint8_t* dst, const uint8_t* upper, const uint8_t* lower, int32_t w1,
                               const ImpLinearShufflePlan& plan, int32_t width, int32_t channels, int32_t srcChannels,
                               const int32_t* colTable, const int16_t* colWeights, int16_t* up, int16_t* lo,
                               bool upperKept, bool keep, int64_t ahead);
void impZoomLinearV8u(uint8_t* dst, int32_t count, int32_t w1, const int16_t* upper, const int16_t* lower);
void impZoomLinearV8uRef(uint8_t* dst, int32_t count, int32_t w1, const int16_t* upper, const int16_t* lower);
void impZoomLinearV16u(uint16_t* dst, int32_t count, int32_t w1, const int16_t* upper, const int16_t* lower);
void impZoomLinearV16uRef(uint16_t* dst, int32_t count, int32_t w1, const int16_t* upper, const int16_t* lower);
void impZoomCubicV8u(uint8_t* dst, int32_t count, float t, const float* q0, const float* q1, const float* q2,
                     const float* q3);
void impZoomCubicV8uRef(uint8_t* dst, int32_t count, float t, const float* q0, const float* q1, const float* q2,
                        const float* q3);
void impZoomCubicH8uPixel(const uint8_t* src, int32_t width, int32_t channels, int32_t srcChannels,
                          const int32_t* colTable, const float* colFractions, const double* colCoeffs, float* out);
// Coefficients of every column for the packed horizontal pass.
void impZoomCubicColumnCoeffs(const float* colFractions, int32_t width, double* coeffs);
void impZoomCubicH8uPixelRef(const uint8_t* src, int32_t width, int32_t channels, int32_t srcChannels,
                             const int32_t* colTable, const float* colFractions, float* out);
void impZoomNN8uPixelRef(const ImpZoomRun& run);

// Coefficients of the cubic at t, each rounded to single precision before it takes part in the next.
struct ImpCubicCoeffs {
    float c1, c2, c3;
    explicit ImpCubicCoeffs(float t)
    {
        c1 = (float)((double)t + 1.0);
        c2 = (float)(c1 * (0.5 * t));
        c3 = (float)(((double)t - 1.0) * c2 * (double)0.33333334f);
    }
};

// The cubic through four samples at -1, 0, 1, 2 in forward-difference form.
inline double impCubicApply(const ImpCubicCoeffs& k, float qm1, float q0, float q1, float q2)
{
    float d1 = (float)((double)q0 - qm1);
    float d2 = (float)((double)q1 - q0 - d1);
    float d3 = (float)((double)q2 - 2.0 * q1 + q0 - d2);
    return (double)qm1 + (double)k.c1 * d1 + (double)k.c2 * d2 + (double)k.c3 * d3;
}

// The cubic through four samples at -1, 0, 1, 2 evaluated at t.
inline double impCubicValue(float qm1, float q0, float q1, float q2, float t)
{
    float c1 = (float)((double)t + 1.0);
    float c2 = (float)(c1 * (0.5 * t));
    float c3 = (float)(((double)t - 1.0) * c2 * (double)0.33333334f);
    float d1 = (float)((double)q0 - qm1);
    float d2 = (float)((double)q1 - q0 - d1);
    float d3 = (float)((double)q2 - 2.0 * q1 + q0 - d2);
    return (double)qm1 + (double)c1 * d1 + (double)c2 * d2 + (double)c3 * d3;
}
