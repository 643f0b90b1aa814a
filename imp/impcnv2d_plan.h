// Per-call and per-kernel records of the convolution and the routines that prepare them.
#pragma once

#include "imp/impcnv2d.h"

// Accumulator classes of a plan.
#define IMP_ACC_16 0
#define IMP_ACC_32 1
#define IMP_ACC_FLOAT 2

struct ImpKernelPlan {
    int32_t kind;
    int32_t shiftRight;
    const int32_t* values;
    int32_t productsFit16;
};

struct ImpConvJob {
    ImpKernel** kernels;
    int32_t nKernels;
    int32_t method;
    int32_t flags;  // bit 0: a mask image takes part
    int32_t depth;
    ImpKernelPlan plans[10];
};

// 0 for a well-formed kernel (sizes at least 1, stored anchors inside, shift 0 .. 31), 1 otherwise.
int32_t impValidateKernel(const ImpKernel* kernel);
// Window margins over all kernels: columns left of and right of the output element, rows above and below it.
void impKernelMargins(ImpKernel* const* kernels, int32_t count, int32_t* left, int32_t* top, int32_t* right,
                      int32_t* bottom);
// Chooses the accumulator class for samples in [low, high].
void impClassifyKernel(const ImpKernel* kernel, int32_t low, int32_t high, ImpKernelPlan* plan);
// Fills one plan per kernel for the source depth; 16-bit sums serve 8-bit and 1-bit samples only.
void impPreparePlans(ImpConvJob* job, int32_t depth);
