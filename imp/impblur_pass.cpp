// The box-filter pass: column sums kept up row by row, row sums of the window columns, the exact average.
#include "imp/impblur_pass.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "imp/imp_types.h"
#include "imp/impalloc.h"
#include "imp/ownrect.h"

namespace {

// The average of n samples whose sum is s, truncated toward zero.
template <class Sum>
struct Average {
    int64_t n;
    explicit Average(int64_t count) : n(count) {}
    Sum operator()(Sum s) const { return s / (Sum)n; }
};

// 32-bit sums divide by a multiply and a shift, exact for every |s| <= 2^31: m = ceil(2^k / n) with k = 32 + the
// bits of n leaves an error below 1 / n.
template <>
struct Average<int32_t> {
    uint64_t m;
    int32_t k;
    explicit Average(int64_t n) : k(32)
    {
        while ((1ll << (k - 32)) < n)
            ++k;
        m = (uint64_t)(((unsigned __int128)1 << k) + n - 1) / n;
    }
    int32_t operator()(int32_t s) const
    {
        if (s >= 0)
            return (int32_t)(((uint64_t)s * m) >> k);
        return -(int32_t)(((uint64_t)(-(int64_t)s) * m) >> k);
    }
};

// Rounded toward zero to single precision.
template <>
struct Average<double> {
    int64_t n;
    explicit Average(int64_t count) : n(count) {}
    float operator()(double s) const
    {
        double q = s / (double)n;
        float f = (float)q;
        if (std::fabs((double)f) > std::fabs(q))
            f = std::nextafter(f, 0.0f);
        return f;
    }
};

template <class T, class Sum>
bool pass(const ImpBlurRun& run, int32_t depth)
{
    int32_t vTap = run.tapStep / run.elemStep;
    int64_t vLen = run.count + (int64_t)(run.nCols - 1) * vTap;
    auto* v = static_cast<Sum*>(impAlignedMalloc(vLen * (int64_t)sizeof(Sum)));
    auto* h = static_cast<Sum*>(impAlignedMalloc((int64_t)run.count * (int64_t)sizeof(Sum)));
    if (!v || !h) {
        impAlignedFree(v);
        impAlignedFree(h);
        return false;
    }
    int64_t n = (int64_t)run.nCols * run.nRows;
    auto row = [&](int32_t r) { return (const T*)(run.src + r * run.srcStep); };
    int64_t es = run.elemStep;
    std::fill_n(v, vLen, (Sum)0);
    for (int32_t r = 0; r < run.nRows; ++r) {
        const T* in = row(r);
        for (int64_t j = 0; j < vLen; ++j)
            v[j] += (Sum)in[j * es];
    }
    Average<Sum> average(n);
    for (int32_t y = 0; y < run.rows; ++y) {
        if (y > 0) {
            const T* in = row(y + run.nRows - 1);
            const T* out = row(y - 1);
            if (es == 1)
                for (int64_t j = 0; j < vLen; ++j)
                    v[j] += (Sum)in[j] - (Sum)out[j];
            else
                for (int64_t j = 0; j < vLen; ++j)
                    v[j] += (Sum)in[j * es] - (Sum)out[j * es];
        }
        if (run.nCols <= 8) {
            for (int32_t i = 0; i < run.count; ++i) {
                Sum s = 0;
                for (int32_t c = 0; c < run.nCols; ++c)
                    s += v[i + c * vTap];
                h[i] = s;
            }
        } else {
            for (int32_t i = 0; i < run.count; ++i) {
                if (i < vTap) {
                    Sum s = 0;
                    for (int32_t c = 0; c < run.nCols; ++c)
                        s += v[i + c * vTap];
                    h[i] = s;
                } else {
                    h[i] = h[i - vTap] + v[i + (int64_t)(run.nCols - 1) * vTap] - v[i - vTap];
                }
            }
        }
        T* out = (T*)(run.dst + y * run.dstStep);
        const char* bits = run.maskBits ? run.maskBits + (int64_t)(run.maskY + y) * run.maskStep : nullptr;
        for (int32_t i = 0; i < run.count; ++i) {
            if (bits && !impGetBit(bits, (int64_t)run.maskX + i / run.maskRepeat))
                continue;
            T& o = out[(int64_t)i * run.dstElemStep];
            if (depth == IMP_DEPTH_1U)
                o = (T)(2 * (int64_t)h[i] >= n);
            else
                o = (T)average(h[i]);
        }
    }
    impAlignedFree(v);
    impAlignedFree(h);
    return true;
}

// Sums stay in 32 bits when no window can reach 2^31.
template <class T>
bool integerPass(const ImpBlurRun& run, int32_t depth, int64_t largest)
{
    if ((int64_t)run.nCols * run.nRows * largest < (1ll << 31))
        return pass<T, int32_t>(run, depth);
    return pass<T, int64_t>(run, depth);
}

// 8-bit unsigned runs whose window sums stay below 2^16, with contiguous elements: 16-bit column sums, loops over
// whole rows so that they vectorize, and the division as a 32-bit multiply by m and a shift by k.
__attribute__((target_clones("avx2", "default"))) void rows8u(const ImpBlurRun& run, uint16_t* __restrict v,
                                                              uint8_t* __restrict line, uint32_t m, int32_t k)
{
    int32_t t = run.tapStep, count = run.count;
    int64_t vLen = count + (int64_t)(run.nCols - 1) * t;
    auto row = [&](int32_t r) { return (const uint8_t*)(run.src + r * run.srcStep); };
    std::fill_n(v, vLen, 0);
    for (int32_t r = 0; r < run.nRows; ++r) {
        const uint8_t* in = row(r);
        for (int64_t j = 0; j < vLen; ++j)
            v[j] = (uint16_t)(v[j] + in[j]);
    }
    for (int32_t y = 0; y < run.rows; ++y) {
        if (y > 0) {
            const uint8_t* in = row(y + run.nRows - 1);
            const uint8_t* out = row(y - 1);
            for (int64_t j = 0; j < vLen; ++j)
                v[j] = (uint16_t)(v[j] + in[j] - out[j]);
        }
        if (run.nCols == 3) {
            for (int32_t i = 0; i < count; ++i)
                line[i] = (uint8_t)(((uint32_t)(v[i] + v[i + t] + v[i + 2 * t]) * m) >> k);
        } else if (run.nCols == 5) {
            for (int32_t i = 0; i < count; ++i)
                line[i] =
                    (uint8_t)(((uint32_t)(v[i] + v[i + t] + v[i + 2 * t] + v[i + 3 * t] + v[i + 4 * t]) * m) >> k);
        } else {
            for (int32_t i = 0; i < count; ++i) {
                uint32_t sum = 0;
                for (int32_t c = 0; c < run.nCols; ++c)
                    sum += v[i + c * t];
                line[i] = (uint8_t)((sum * m) >> k);
            }
        }
        uint8_t* dst = (uint8_t*)(run.dst + y * run.dstStep);
        const char* bits = run.maskBits ? run.maskBits + (int64_t)(run.maskY + y) * run.maskStep : nullptr;
        if (!bits && run.dstElemStep == 1) {
            std::copy_n(line, count, dst);
            continue;
        }
        for (int32_t i = 0; i < count; ++i)
            if (!bits || impGetBit(bits, (int64_t)run.maskX + i / run.maskRepeat))
                dst[(int64_t)i * run.dstElemStep] = line[i];
    }
}

// m = ceil(2^k / n) with 2^k above 255 n^2 is exact for every sum s <= 255 n: the error s (m n - 2^k) / (n 2^k) stays
// below 1 / n; the product s m must also fit 32 bits.
bool bytePass(const ImpBlurRun& run)
{
    int64_t n = (int64_t)run.nCols * run.nRows;
    int32_t k = 0;
    while (k < 40 && (1ll << k) <= 255 * n * n)
        ++k;
    uint64_t m = ((1ull << k) + n - 1) / n;
    if (run.elemStep != 1 || 255 * n > 65535 || 255 * n * m >= (1ull << 32))
        return integerPass<uint8_t>(run, IMP_DEPTH_8U, 255);
    int64_t vLen = run.count + (int64_t)(run.nCols - 1) * run.tapStep;
    auto* v = static_cast<uint16_t*>(impAlignedMalloc(vLen * 2));
    auto* line = static_cast<uint8_t*>(impAlignedMalloc(run.count));
    if (v && line)
        rows8u(run, v, line, (uint32_t)m, k);
    impAlignedFree(v);
    impAlignedFree(line);
    return v && line;
}

}  // namespace

bool impBlurPass(int32_t depth, const ImpBlurRun& run)
{
    switch (depth) {
    case IMP_DEPTH_1U: return pass<uint8_t, int64_t>(run, depth);
    case IMP_DEPTH_8U: return bytePass(run);
    case IMP_DEPTH_8S: return integerPass<int8_t>(run, depth, 128);
    case IMP_DEPTH_16U: return integerPass<uint16_t>(run, depth, 65535);
    case IMP_DEPTH_16S: return integerPass<int16_t>(run, depth, 32768);
    case IMP_DEPTH_32S: return pass<int32_t, int64_t>(run, depth);
    default: return pass<float, double>(run, depth);
    }
}
