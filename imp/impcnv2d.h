// Integer convolution kernels and the two-dimensional convolution entry point.
#pragma once

#include "imp/imp_types.h"

// A kernel stored turned by 180 degrees: anchors mirrored, weights in reverse order, so that every consumer
// applies it as a plain weighted window and obtains the true convolution.
struct ImpKernel {
    int32_t nCols;
    int32_t nRows;
    int32_t anchorX;  // stored: nCols - 1 - the caller's anchor column
    int32_t anchorY;  // stored: nRows - 1 - the caller's anchor row
    int32_t* values;
    int32_t shiftRight;
};

ImpKernel* impCreateConvKernel(int32_t nCols, int32_t nRows, int32_t anchorX, int32_t anchorY, const int32_t* values,
                               int32_t shiftRight);
void impDeleteConvKernel(ImpKernel* kernel);

// Combine methods of several kernels.
#define IMP_SUM 0
#define IMP_SUM_SQR 1
#define IMP_SUM_SQROOT 2
#define IMP_MAX 3
#define IMP_MIN 4

void impConvolve2D(ImpHeader* srcImage, ImpHeader* dstImage, ImpKernel** kernels, int32_t nKernels,
                   int32_t combineMethod);
