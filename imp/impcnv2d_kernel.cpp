// Kernel records: creation, release, shape check, margins and accumulator class.
#include <algorithm>

#include "imp/impalloc.h"
#include "imp/impcnv2d_plan.h"
#include "imp/imperror.h"

ImpKernel* impCreateConvKernel(int32_t nCols, int32_t nRows, int32_t anchorX, int32_t anchorY, const int32_t* values,
                               int32_t shiftRight)
{
    const char* fn = "impCreateConvKernel";
    if (!values) {
        impRaiseError(IMP_StsBadArg, fn, "(values == 0)", "impcnv2d", 116);
        return nullptr;
    }
    if (nRows <= 0 || nCols <= 0) {
        impRaiseError(IMP_StsBadArg, fn, "(nRows<=0 || nCols<=0)", "impcnv2d", 116);
        return nullptr;
    }
    if (anchorX < 0 || anchorY < 0 || nRows <= anchorY || nCols <= anchorX) {
        impRaiseError(IMP_StsBadArg, fn, "(anchorX<0 ||anchorY<0 ||nRows<=anchorY || nCols<=anchorX)", "impcnv2d", 116);
        return nullptr;
    }
    int64_t n = (int64_t)nCols * nRows;
    auto* kernel = static_cast<ImpKernel*>(impAlignedMalloc(sizeof(ImpKernel)));
    auto* stored = kernel ? static_cast<int32_t*>(impAlignedMalloc(n * 4)) : nullptr;
    if (!stored) {
        impAlignedFree(kernel);
        impRaiseError(IMP_StsNoMem, fn, "Allocation failure", "impcnv2d", 118);
        return nullptr;
    }
    *kernel = ImpKernel{nCols, nRows, nCols - 1 - anchorX, nRows - 1 - anchorY, stored, shiftRight};
    for (int64_t i = 0; i < n; ++i)
        stored[i] = values[n - 1 - i];
    return kernel;
}

void impDeleteConvKernel(ImpKernel* kernel)
{
    if (!kernel) {
        impRaiseError(IMP_StsBadArg, "impDeleteConvKernel", "kernel==0", "impcnv2d", 267);
        return;
    }
    if (!kernel->values) {
        impRaiseError(IMP_StsBadArg, "impDeleteConvKernel", "kernel->values==0", "impcnv2d", 268);
        return;
    }
    impAlignedFree(kernel->values);
    impAlignedFree(kernel);
}

int32_t impValidateKernel(const ImpKernel* kernel)
{
    if (kernel->nRows < 1 || kernel->nCols < 1 || kernel->anchorX < 0)
        return 1;
    if (kernel->anchorY < 0 || kernel->anchorY >= kernel->nRows || kernel->anchorX >= kernel->nCols)
        return 1;
    // The shift is a shift count of 32-bit sums.
    return kernel->shiftRight < 0 || kernel->shiftRight > 31;
}

void impKernelMargins(ImpKernel* const* kernels, int32_t count, int32_t* left, int32_t* top, int32_t* right,
                      int32_t* bottom)
{
    *left = *top = *right = *bottom = 0;
    for (int32_t i = 0; i < count; ++i) {
        const ImpKernel* k = kernels[i];
        *left = std::max(*left, k->anchorX);
        *top = std::max(*top, k->anchorY);
        *right = std::max(*right, k->nCols - 1 - k->anchorX);
        *bottom = std::max(*bottom, k->nRows - 1 - k->anchorY);
    }
}

void impClassifyKernel(const ImpKernel* kernel, int32_t low, int32_t high, ImpKernelPlan* plan)
{
    double maxSum = 0, minSum = 0;
    bool valuesFit = true, productsFit = true;
    int64_t n = kernel->nRows < 1 ? 0 : (int64_t)kernel->nRows * kernel->nCols;
    for (int64_t i = 0; i < n; ++i) {
        double v = kernel->values[i];
        if (v < -32768 || v > 32767)
            valuesFit = false;
        double lo = v > 0 ? v * low : v * high, hi = v > 0 ? v * high : v * low;
        minSum += lo;
        maxSum += hi;
        if (hi > 32767 || lo < -32768)
            productsFit = false;
    }
    if (minSum > -32768 && maxSum < 32767 && valuesFit)
        plan->kind = productsFit ? IMP_ACC_16 : IMP_ACC_32;
    else if (minSum > -2147483648.0 && maxSum < 2147483647.0 && valuesFit)
        plan->kind = IMP_ACC_32;
    else
        plan->kind = IMP_ACC_FLOAT;
    plan->productsFit16 = productsFit;
}

void impPreparePlans(ImpConvJob* job, int32_t depth)
{
    int32_t low = 0, high = 1;
    switch (depth) {
    case IMP_DEPTH_8U: high = 255; break;
    case IMP_DEPTH_8S: low = -128, high = 127; break;
    case IMP_DEPTH_16U: high = 65535; break;
    case IMP_DEPTH_16S: low = -32768, high = 32767; break;
    default: break;
    }
    bool wide = impDepthBits(depth) == 32, words = impDepthBits(depth) == 16;
    for (int32_t k = 0; k < job->nKernels; ++k) {
        ImpKernelPlan& p = job->plans[k];
        const ImpKernel* kernel = job->kernels[k];
        p = ImpKernelPlan{IMP_ACC_FLOAT, kernel->shiftRight, kernel->values, 0};
        if (!wide)
            impClassifyKernel(kernel, low, high, &p);
        if (words && p.kind == IMP_ACC_16)
            p.kind = IMP_ACC_32;
    }
}
