// The box-filter pass over one run of elements: running window sums and their exact average.
#pragma once

#include <cstdint>

struct ImpBlurRun {
    const char* src;  // window top-left of output element 0 in row 0
    int64_t srcStep;
    int32_t elemStep, tapStep;  // elements between outputs and between window columns (a multiple of elemStep)
    char* dst;
    int64_t dstStep;
    int32_t dstElemStep;
    int32_t count, rows;
    int32_t nCols, nRows;
    const char* maskBits;  // 1-bit rows, bit maskX + i / maskRepeat of row maskY + r governs element i; null: none
    int64_t maskStep;
    int32_t maskX, maskY, maskRepeat;
};

// Every depth but 1-bit; 1-bit runs pass bytes of 0 and 1 with depth IMP_DEPTH_1U. Integer averages are the sum
// divided exactly and truncated toward zero, summed in 64 bits where 32 could overflow; float averages are
// rounded toward zero. Returns false when the work rows cannot be allocated (nothing written).
bool impBlurPass(int32_t depth, const ImpBlurRun& run);
