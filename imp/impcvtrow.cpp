// Float-to-integer sample conversion and the rounded integer square root.
#include "imp/impcvtrow.h"

#include <algorithm>
#include <cmath>

#include "imp/imp_types.h"

double impRoundEven(double x)
{
    double r = std::floor(x), d = x - r;
    if (d > 0.5 || (d == 0.5 && std::fmod(r, 2.0) != 0))
        r += 1;
    return r;
}

int64_t impFloatToSample(float x, int32_t depth)
{
    double lo, hi;
    switch (depth) {
    case IMP_DEPTH_1U: lo = 0, hi = 1; break;
    case IMP_DEPTH_8U: lo = 0, hi = 255; break;
    case IMP_DEPTH_8S: lo = -128, hi = 127; break;
    case IMP_DEPTH_16U: lo = 0, hi = 65535; break;
    case IMP_DEPTH_16S: lo = -32768, hi = 32767; break;
    case (int32_t)(IMP_DEPTH_SIGN | 32): lo = -2147483648.0, hi = 2147483647.0; break;
    default: lo = 0, hi = 4294967295.0; break;
    }
    if (std::isnan(x))
        return (int64_t)(std::signbit(x) ? lo : hi);
    return (int64_t)std::clamp(impRoundEven(x), lo, hi);
}

int64_t impRoundedSqrt(int64_t v)
{
    if (v <= 0)
        return 0;
    auto r = (int64_t)std::sqrt((double)v);
    while (r * r > v)
        --r;
    while ((r + 1) * (r + 1) <= v)
        ++r;
    return v - r * r > r ? r + 1 : r;
}

void impConvertFloatRow(const float* src, void* dst, int32_t stride, int32_t count, int32_t bits, int32_t flags)
{
    bool sign = !(flags & 0x800);
    int32_t depth = bits == 8    ? (sign ? IMP_DEPTH_8S : IMP_DEPTH_8U)
                    : bits == 16 ? (sign ? IMP_DEPTH_16S : IMP_DEPTH_16U)
                    : bits == 32 ? (sign ? IMP_DEPTH_32S : 0)
                                 : -1;
    if (depth == -1)
        return;
    for (int64_t i = 0; i < count; ++i) {
        int64_t v = impFloatToSample(src[i], depth), at = i * stride;
        if (bits == 8)
            ((uint8_t*)dst)[at] = (uint8_t)v;
        else if (bits == 16)
            ((uint16_t*)dst)[at] = (uint16_t)v;
        else
            ((uint32_t*)dst)[at] = (uint32_t)v;
    }
}
