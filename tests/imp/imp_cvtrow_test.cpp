// Float-to-sample rows (nearest, ties to even, saturating by sign) and the rounded integer square root.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "imp/imp_types.h"
#include "imp/impcvtrow.h"

namespace {

TEST(ImpCvtRow, RoundsToEvenAndSaturates)
{
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        int32_t depth;
        float x;
        int64_t want;
    } cases[] = {{IMP_DEPTH_8U, -0.4f, 0},
                 {IMP_DEPTH_8U, 0.5f, 0},
                 {IMP_DEPTH_8U, 1.5f, 2},
                 {IMP_DEPTH_8U, 254.5f, 254},
                 {IMP_DEPTH_8U, 254.6f, 255},
                 {IMP_DEPTH_8U, 1e9f, 255},
                 {IMP_DEPTH_8S, -127.5f, -128},
                 {IMP_DEPTH_8S, 127.5f, 127},
                 {IMP_DEPTH_8S, -0.5f, 0},
                 {IMP_DEPTH_16S, 32767.4f, 32767},
                 {IMP_DEPTH_16S, -40000.f, -32768},
                 {IMP_DEPTH_16U, -inf, 0},
                 {IMP_DEPTH_32S, 3e9f, 2147483647},
                 {IMP_DEPTH_32S, -nan, -2147483647 - 1},
                 {IMP_DEPTH_8U, nan, 255},
                 {IMP_DEPTH_1U, 0.5f, 0},
                 {IMP_DEPTH_1U, 0.51f, 1},
                 {IMP_DEPTH_1U, -0.2f, 0},
                 {IMP_DEPTH_1U, 7.0f, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(impFloatToSample(c.x, c.depth), c.want) << c.depth << " " << c.x;
}

TEST(ImpCvtRow, WritesEveryStrideThElementOnly)
{
    std::vector<float> src = {1.5f, -3.f, 70000.f};
    std::vector<uint16_t> dst(9, 7);
    impConvertFloatRow(src.data(), dst.data(), 3, 3, 16, 0x1880);
    EXPECT_EQ(dst, (std::vector<uint16_t>{2, 7, 7, 0, 7, 7, 65535, 7, 7}));
    std::vector<uint32_t> wide(1);
    impConvertFloatRow(std::vector<float>{3.0e9f}.data(), wide.data(), 1, 1, 32, 0x1880);
    EXPECT_EQ(wide[0], 3000000000u);
}

TEST(ImpCvtRow, RoundedSquareRoot)
{
    const int64_t in[] = {0, 10, 12, 13, 2 * 70000ll * 70000ll, (1ll << 62) - 1};
    const int64_t want[] = {0, 3, 3, 4, 98995, 2147483648ll};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(impRoundedSqrt(in[i]), want[i]) << in[i];
}

}  // namespace
