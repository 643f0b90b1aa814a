// Output rows of the convolution for one run of elements: the fast row kernels or the generic per-kernel sums.
#pragma once

#include "imp/impcnv2d_plan.h"

// A 1-bit mask read from bit (x + i / repeat, y + row) for element i of output row row.
struct ImpMaskRows {
    const char* bits = nullptr;  // null: no mask
    int64_t rowStep = 0;
    int32_t x = 0, y = 0, repeat = 1;
};

// Output element i of row r is computed from the elements src + r * srcStep + (i * elemStep + tap column *
// tapStep) of the window rows (element units of the sample type, rows in bytes) and written to dst + r * dstStep
// + i * dstElemStep. src is the window's top-left element for output element 0 of row 0, taken for the largest
// margins; each kernel is placed by its own stored anchor within them.
struct ImpRowRun {
    const char* src;
    int64_t srcStep;
    int32_t elemStep, tapStep;
    char* dst;
    int64_t dstStep;
    int32_t dstElemStep;
    int32_t count, rows;
    int32_t left, top;  // the largest stored anchors: where the window origin lies relative to the output element
    ImpMaskRows mask;
};

// 0, or 3 when a work row or the mask row cannot be allocated (rows already written stay written).
// A 1-bit job reads and writes one byte per element holding 0 or 1.
int32_t impConvolveRun(const ImpConvJob& job, const ImpRowRun& run);
