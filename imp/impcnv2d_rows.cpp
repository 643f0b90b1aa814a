// Generic convolution rows: per-kernel window sums in the plan's accumulator, combination, saturating store.
#include "imp/impcnv2d_rows.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "imp/impalloc.h"
#include "imp/impcnv2d_fast.h"
#include "imp/impcvtrow.h"
#include "imp/ownrect.h"

namespace {

// Float work values become integers before a shift: nearest, ties to even, kept within 64 bits.
int64_t roundToInt64(double x)
{
    if (std::isnan(x))
        return 0;
    double r = impRoundEven(x);
    if (r >= 9.2e18)
        return INT64_MAX;
    if (r <= -9.2e18)
        return INT64_MIN;
    return (int64_t)r;
}

int64_t integerSample(int64_t v, int32_t depth)
{
    switch (depth) {
    case IMP_DEPTH_1U: return v > 0;
    case IMP_DEPTH_8U: return std::clamp<int64_t>(v, 0, 255);
    case IMP_DEPTH_8S: return std::clamp<int64_t>(v, -128, 127);
    case IMP_DEPTH_16U: return std::clamp<int64_t>(v, 0, 65535);
    case IMP_DEPTH_16S: return std::clamp<int64_t>(v, -32768, 32767);
    default: return std::clamp<int64_t>(v, INT32_MIN, INT32_MAX);
    }
}

void putSample(char* p, int32_t depth, int64_t v)
{
    switch (impDepthBits(depth)) {
    case 16: *(int16_t*)p = (int16_t)v; break;
    case 32: *(int32_t*)p = (int32_t)v; break;
    default: *p = (char)v; break;
    }
}

// Eligible for the fast row kernels: one 3x3 or 5x5 kernel with exact 16-bit products on 8-bit unsigned runs of
// one or three interleaved channels, giving the plain shifted sum (methods 1 and 2 square it, so they stay generic).
bool fastEligible(const ImpConvJob& job, const ImpRowRun& run)
{
    if (job.depth != IMP_DEPTH_8U || job.nKernels != 1 || job.method == IMP_SUM_SQR || job.method == IMP_SUM_SQROOT)
        return false;
    const ImpKernel* k = job.kernels[0];
    const ImpKernelPlan& p = job.plans[0];
    if (k->nCols != k->nRows || (k->nCols != 3 && k->nCols != 5))
        return false;
    if (!(p.kind == IMP_ACC_16 || (p.kind == IMP_ACC_32 && p.productsFit16)))
        return false;
    return run.elemStep == 1 && run.dstElemStep == 1 && (run.tapStep == 1 || run.tapStep == 3);
}

struct Buffers {
    void* block = nullptr;
    uint8_t* mask = nullptr;
    ~Buffers()
    {
        impAlignedFree(block);
        impAlignedFree(mask);
    }
};

void unpackMaskRow(const ImpMaskRows& m, int32_t row, int32_t count, uint8_t* out)
{
    const char* bits = m.bits + (int64_t)(m.y + row) * m.rowStep;
    for (int32_t i = 0; i < count; ++i)
        out[i] = impGetBit(bits, (int64_t)m.x + i / m.repeat) ? 0xFF : 0;
}

int32_t runFast(const ImpConvJob& job, const ImpRowRun& run)
{
    const ImpKernel* k = job.kernels[0];
    ImpFastKernel fk{k->nCols, run.tapStep, k->shiftRight, {}, job.plans[0].kind == IMP_ACC_16};
    for (int32_t i = 0; i < k->nCols * k->nRows; ++i)
        fk.weights[i] = (int16_t)k->values[i];
    Buffers b;
    if (run.mask.bits && !(b.mask = (uint8_t*)impAlignedMalloc(run.count + 32)))
        return 3;
    ImpFastRowFn row = impFastRowRoutine();
    const uint8_t* win = (const uint8_t*)run.src + (int64_t)(run.top - k->anchorY) * run.srcStep +
                         (int64_t)(run.left - k->anchorX) * run.tapStep;
    for (int32_t r = 0; r < run.rows; ++r) {
        if (b.mask)
            unpackMaskRow(run.mask, r, run.count, b.mask);
        row(win + r * run.srcStep, run.srcStep, (uint8_t*)run.dst + r * run.dstStep, run.count, fk, b.mask);
    }
    return 0;
}

// Adds every tap of kernel k into one work row: exact 32-bit sums for the integer classes, for the float class each
// product and sum in double and rounded to float once per tap.
template <class T>
void kernelSums(const ImpKernel* k, const ImpKernelPlan& p, const ImpRowRun& run, const char* rowWin, void* work)
{
    int32_t n = run.count;
    const char* win = rowWin + (int64_t)(run.top - k->anchorY) * run.srcStep +
                      (int64_t)(run.left - k->anchorX) * run.tapStep * (int64_t)sizeof(T);
    if (p.kind == IMP_ACC_FLOAT)
        std::fill_n((float*)work, n, 0.0f);
    else
        std::fill_n((int32_t*)work, n, 0);
    for (int32_t r = 0; r < k->nRows; ++r)
        for (int32_t c = 0; c < k->nCols; ++c) {
            int32_t w = p.values[r * k->nCols + c];
            if (w == 0)
                continue;
            const T* s = (const T*)(win + r * run.srcStep) + (int64_t)c * run.tapStep;
            if (p.kind == IMP_ACC_FLOAT) {
                float* acc = (float*)work;
                for (int32_t i = 0; i < n; ++i)
                    acc[i] = (float)((double)acc[i] + (double)w * (double)s[(int64_t)i * run.elemStep]);
            } else {
                int32_t* acc = (int32_t*)work;
                for (int32_t i = 0; i < n; ++i)
                    acc[i] =
                        (int32_t)((uint32_t)acc[i] + (uint32_t)w * (uint32_t)(int32_t)s[(int64_t)i * run.elemStep]);
            }
        }
}

// One kernel's result at element i: the shifted sum, exact for the integer classes, a float for the float class.
struct Term {
    bool isFloat;
    int64_t i;
    double f;
};

Term termAt(const ImpKernelPlan& p, const void* work, int32_t i)
{
    if (p.kind != IMP_ACC_FLOAT)
        return {false, (int64_t)((const int32_t*)work)[i] >> p.shiftRight, 0};
    float w = ((const float*)work)[i];
    if (p.shiftRight == 0)
        return {true, 0, w};
    return {true, 0, (double)(float)(double)(roundToInt64(w) >> p.shiftRight)};
}

double asDouble(const Term& t) { return t.isFloat ? t.f : (double)t.i; }

// The element's stored sample: one kernel transforms its own result, several fold into an integer combination
// (every plan 16-bit, 8-bit and 1-bit samples) or a float one; sums of squares never wrap.
int64_t elementValue(const ImpConvJob& job, void* const* work, int32_t i, bool intCombine)
{
    int32_t method = job.method;
    if (job.nKernels == 1) {
        Term t = termAt(job.plans[0], work[0], i);
        if (!t.isFloat) {
            if (method == IMP_SUM_SQR)
                t.i = t.i * t.i;
            else if (method == IMP_SUM_SQROOT)
                t.i = t.i < 0 ? -t.i : t.i;
            return integerSample(t.i, job.depth);
        }
        if (method == IMP_SUM_SQR)
            t.f = (float)(t.f * t.f);
        else if (method == IMP_SUM_SQROOT)
            t.f = std::fabs(t.f);
        return impFloatToSample((float)t.f, job.depth);
    }
    if (intCombine) {
        int64_t c = 0;
        for (int32_t q = 0; q < job.nKernels; ++q) {
            int64_t v = termAt(job.plans[q], work[q], i).i;
            if (method == IMP_SUM_SQR || method == IMP_SUM_SQROOT)
                v *= v;
            if (q == 0)
                c = v;
            else if (method == IMP_MAX)
                c = std::max(c, v);
            else if (method == IMP_MIN)
                c = std::min(c, v);
            else
                c += v;
        }
        if (method == IMP_SUM_SQROOT)
            c = impRoundedSqrt(c);
        return integerSample(c, job.depth);
    }
    float f = 0;
    for (int32_t q = 0; q < job.nKernels; ++q) {
        double v = asDouble(termAt(job.plans[q], work[q], i));
        if (method == IMP_SUM_SQR || method == IMP_SUM_SQROOT)
            v = v * v;
        if (q == 0)
            f = (float)v;
        else if (method == IMP_MAX)
            f = std::max(f, (float)v);
        else if (method == IMP_MIN)
            f = std::min(f, (float)v);
        else
            f = (float)((double)f + v);
    }
    if (method == IMP_SUM_SQROOT)
        f = std::sqrt(f);
    return impFloatToSample(f, job.depth);
}

template <class T>
int32_t runGeneric(const ImpConvJob& job, const ImpRowRun& run)
{
    int64_t rowBytes = ((int64_t)run.count * 4 + 31) / 32 * 32;
    Buffers b;
    if (!(b.block = impAlignedMalloc(rowBytes * job.nKernels)))
        return 3;
    if (run.mask.bits && !(b.mask = (uint8_t*)impAlignedMalloc(run.count + 32)))
        return 3;
    void* work[10];
    bool intCombine = impDepthBits(job.depth) <= 8;
    for (int32_t q = 0; q < job.nKernels; ++q) {
        work[q] = (char*)b.block + q * rowBytes;
        intCombine = intCombine && job.plans[q].kind == IMP_ACC_16;
    }
    int32_t e = impDepthBits(job.depth) <= 8 ? 1 : impDepthBits(job.depth) / 8;
    for (int32_t r = 0; r < run.rows; ++r) {
        if (b.mask)
            unpackMaskRow(run.mask, r, run.count, b.mask);
        for (int32_t q = 0; q < job.nKernels; ++q)
            kernelSums<T>(job.kernels[q], job.plans[q], run, run.src + r * run.srcStep, work[q]);
        char* dst = run.dst + r * run.dstStep;
        for (int32_t i = 0; i < run.count; ++i)
            if (!b.mask || b.mask[i])
                putSample(dst + (int64_t)i * run.dstElemStep * e, job.depth, elementValue(job, work, i, intCombine));
    }
    return 0;
}

}  // namespace

int32_t impConvolveRun(const ImpConvJob& job, const ImpRowRun& run)
{
    if (run.count < 1 || run.rows < 1)
        return 0;
    if (fastEligible(job, run))
        return runFast(job, run);
    switch (job.depth) {
    case IMP_DEPTH_8S: return runGeneric<int8_t>(job, run);
    case IMP_DEPTH_16U: return runGeneric<uint16_t>(job, run);
    case IMP_DEPTH_16S: return runGeneric<int16_t>(job, run);
    case IMP_DEPTH_32S: return runGeneric<int32_t>(job, run);
    default: return runGeneric<uint8_t>(job, run);
    }
}
