// Tap offsets and paired weights shared by the vector row kernels.
#pragma once

#include "imp/impcnv2d_fast.h"

// The byte offset of every tap, and the taps taken two at a time (a lone last tap is paired with itself and weight
// 0): byte offsets of both taps and the two weights packed as one 32-bit multiply-add operand.
struct ImpTapPairs {
    int32_t count = 0, taps = 0;
    int64_t offsets[25], first[13], second[13];
    int32_t weights[13];

    // Built for every row: by counting, without a division per tap.
    ImpTapPairs(int64_t srcStep, const ImpFastKernel& kernel)
    {
        for (int32_t r = 0; r < kernel.size; ++r)
            for (int32_t c = 0; c < kernel.size; ++c)
                offsets[taps++] = r * srcStep + c * kernel.stride;
        for (int32_t t = 0; t < taps; t += 2) {
            int32_t u = t + 1 < taps ? t + 1 : t;
            int32_t wu = t + 1 < taps ? kernel.weights[u] : 0;
            first[count] = offsets[t];
            second[count] = offsets[u];
            weights[count++] = (int32_t)(((uint32_t)(uint16_t)wu << 16) | (uint16_t)kernel.weights[t]);
        }
    }
};
