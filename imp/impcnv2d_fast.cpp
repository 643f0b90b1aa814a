// The plain reference row kernel and the choice of the vector form at run time.
#include "imp/impcnv2d_fast.h"

#include <algorithm>

void convRowKernelRef(const uint8_t* win, int64_t srcStep, uint8_t* dst, int32_t count, const ImpFastKernel& kernel,
                      const uint8_t* mask)
{
    int32_t n = kernel.size;
    for (int32_t k = 0; k < count; ++k) {
        if (mask && !mask[k])
            continue;
        int32_t sum = 0;
        for (int32_t r = 0; r < n; ++r)
            for (int32_t c = 0; c < n; ++c)
                sum += kernel.weights[r * n + c] * win[r * srcStep + k + c * kernel.stride];
        dst[k] = (uint8_t)std::clamp(sum >> kernel.shiftRight, 0, 255);
    }
}

bool impAvx2Available()
{
    static const bool available = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
    return available;
}

ImpFastRowFn impFastRowRoutine() { return impAvx2Available() ? convRowKernelAvx2 : convRowKernelSse2; }
