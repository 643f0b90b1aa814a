// Row kernels for one 3x3 or 5x5 kernel on 8-bit unsigned rows: a plain reference and SSE2 and AVX2 forms.
#pragma once

#include <cstdint>

// One kernel prepared for the row kernels: taps in stored row-major order, each one weight of 16 bits.
struct ImpFastKernel {
    int32_t size;    // 3 or 5
    int32_t stride;  // elements between horizontal taps: 1 or 3
    int32_t shiftRight;
    int16_t weights[25];
    int32_t sums16;  // every partial window sum fits 16 bits: the vector forms may sum in 16-bit lanes
};

// Writes count elements of dst: each the window sum of its taps, shifted right and saturated to 0..255; with a
// mask only where its byte is 0xFF (the others keep their value). win is the top-left tap of element 0; reads stay
// within count + (size - 1) * stride elements of each of the size rows.
typedef void (*ImpFastRowFn)(const uint8_t* win, int64_t srcStep, uint8_t* dst, int32_t count,
                             const ImpFastKernel& kernel, const uint8_t* mask);

void convRowKernelRef(const uint8_t* win, int64_t srcStep, uint8_t* dst, int32_t count, const ImpFastKernel& kernel,
                      const uint8_t* mask);
void convRowKernelSse2(const uint8_t* win, int64_t srcStep, uint8_t* dst, int32_t count, const ImpFastKernel& kernel,
                       const uint8_t* mask);
void convRowKernelAvx2(const uint8_t* win, int64_t srcStep, uint8_t* dst, int32_t count, const ImpFastKernel& kernel,
                       const uint8_t* mask);

// The widest form the processor runs.
ImpFastRowFn impFastRowRoutine();
bool impAvx2Available();
