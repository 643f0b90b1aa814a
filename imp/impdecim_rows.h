// Row routines of impDecimate: one per depth, mode and one-axis case.
#pragma once

#include <cstdint>

// Arguments of a decimation row routine; steps and extents count samples (bits, bytes or 16-bit words).
struct ImpDecimArgs {
    const void* src;
    void* dst;
    int64_t dstChannelStep;  // 1-bit: destination bit offset
    int64_t dstChannelEnd;
    int64_t dstPixelStep;
    int64_t dstColumnExtent;
    int64_t dstRowStep;
    int64_t dstRowExtent;
    int64_t srcChannelStep;  // 1-bit: source bit offset
    int64_t srcPixelStep;
    int64_t srcWidthExtent;
    int64_t srcRowStep;
    int64_t srcHeightExtent;
    float xRatio, yRatio;
};

typedef int32_t (*ImpDecimRowFn)(const ImpDecimArgs& a, float* x, float* y);

int32_t impDecimNearest1u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimSuper1u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimNearest8u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimLinearX8u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimLinearY8u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimLinear8u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimCubicX8u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimCubicY8u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimCubic8u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimSuper8u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimNearest16u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimLinearX16u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimLinearY16u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimLinear16u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimCubicX16u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimCubicY16u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimCubic16u(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimSuper16u(const ImpDecimArgs& a, float* x, float* y);

// The 8-bit routines by their plain sample-by-sample loops, without the fast forms (which must match them).
int32_t impDecimNearest8uPlain(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimLinear8uPlain(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimCubic8uPlain(const ImpDecimArgs& a, float* x, float* y);
int32_t impDecimSuper8uPlain(const ImpDecimArgs& a, float* x, float* y);
