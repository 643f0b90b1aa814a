// The SSE2 and AVX2 row kernels equal the plain reference element for element.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "imp/impcnv2d_fast.h"

namespace {

// Random rows, window sizes, strides, weights, shifts, masks, lengths and start alignments; each kernel runs on its
// own copy of the destination, and the rows hold exactly the bytes the windows use.
TEST(ImpConvRows, VectorFormsEqualTheReference)
{
    std::mt19937 rng(1);
    std::vector<ImpFastRowFn> forms = {convRowKernelSse2};
    if (impAvx2Available())
        forms.push_back(convRowKernelAvx2);
    for (int iter = 0; iter < 4000; ++iter) {
        ImpFastKernel k{rng() % 2 ? 5 : 3, rng() % 2 ? 3 : 1, (int32_t)(rng() % 32), {}, 0};
        // Every fourth kernel has no negative weight, with sums up to 255 times 32 (or beyond, for 3 x 3).
        int range = iter % 3 == 0 ? 128 : 8, magnitude = 0, low = iter % 4 == 1 ? 0 : -range;
        for (int i = 0; i < k.size * k.size; ++i) {
            k.weights[i] = (int16_t)((int)(rng() % (range - low + 1)) + low);
            magnitude += std::abs(k.weights[i]);
        }
        k.sums16 = magnitude * 255 <= 32767 && rng() % 2;  // 16-bit lanes only where no sum can leave them
        int count = (int)(rng() % 80), offset = (int)(rng() % 32), width = count + (k.size - 1) * k.stride;
        int64_t step = width + (int)(rng() % 5);
        std::vector<uint8_t> src(offset + step * (k.size - 1) + width);
        for (uint8_t& b : src)
            b = (uint8_t)rng();
        std::vector<uint8_t> mask(count), dst0(count);
        for (int i = 0; i < count; ++i)
            mask[i] = rng() % 2 ? 0xFF : 0, dst0[i] = (uint8_t)rng();
        const uint8_t* m = rng() % 2 ? mask.data() : nullptr;
        std::vector<uint8_t> want = dst0;
        convRowKernelRef(src.data() + offset, step, want.data(), count, k, m);
        for (ImpFastRowFn f : forms) {
            std::vector<uint8_t> got = dst0;
            f(src.data() + offset, step, got.data(), count, k, m);
            ASSERT_EQ(got, want) << "iteration " << iter;
        }
    }
}

TEST(ImpConvRows, SaturatesAndShiftsAsTheReference)
{
    ImpFastKernel k{3, 1, 0, {0, 0, 0, 0, 128, 0, 0, 0, 0}, 0};
    std::vector<uint8_t> src(3 * 18, 255), want(16), got(16);
    for (int sums16 : {0, 1})
        for (int shift : {0, 7, 8, 15, 16, 31}) {
            k.shiftRight = shift;
            k.sums16 = sums16;
            convRowKernelRef(src.data(), 18, want.data(), 16, k, nullptr);
            EXPECT_EQ(want[0], shift >= 15 ? 0 : std::min(255, (255 * 128) >> shift));
            for (ImpFastRowFn f : {convRowKernelSse2, impFastRowRoutine()}) {
                f(src.data(), 18, got.data(), 16, k, nullptr);
                EXPECT_EQ(got, want);
            }
        }
}

}  // namespace
