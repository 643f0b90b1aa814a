// Resize and decimate on small images against hand-computed values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "imp/impgeom.h"
#include "imp_test_util.h"

static void fillRow8(TestImage& im, std::initializer_list<int> values)
{
    for (int y = 0; y < im.h->height; ++y) {
        int x = 0;
        for (int v : values)
            im.at8(x++, y) = (uint8_t)v;
    }
}

TEST(ImpResize, NearestColumnsCornerAligned)
{
    ImpModeGuard g;
    struct Case {
        int srcW, dstW;
        std::vector<int> cols;
    } cases[] = {
        {4, 8, {0, 0, 1, 1, 2, 2, 3, 3}},
        {8, 4, {0, 2, 5, 7}},
    };
    for (const Case& c : cases) {
        TestImage src(1, 8, c.srcW, 2), dst(1, 8, c.dstW, 2);
        for (int x = 0; x < c.srcW; ++x)
            src.at8(x, 0) = src.at8(x, 1) = (uint8_t)(10 * x);
        impResize(src.h, dst.h, c.dstW, c.srcW, 2, 2, IMP_INTER_NN);
        ASSERT_EQ(impGetStatus(), 0);
        for (int j = 0; j < c.dstW; ++j)
            EXPECT_EQ(dst.at8(j, 0), 10 * c.cols[j]) << j;
    }
}

TEST(ImpResize, LinearCentreIsTruncatedMean)
{
    ImpModeGuard g;
    TestImage src(1, 8, 2, 2), dst(1, 8, 3, 3);
    src.at8(0, 0) = 10;
    src.at8(1, 0) = 11;
    src.at8(0, 1) = 12;
    src.at8(1, 1) = 13;
    impResize(src.h, dst.h, 3, 2, 3, 2, IMP_INTER_LINEAR);
    ASSERT_EQ(impGetStatus(), 0);
    EXPECT_EQ(dst.at8(1, 1), 11);
    EXPECT_EQ(dst.at8(0, 0), 10);
    EXPECT_EQ(dst.at8(2, 0), 11);
    EXPECT_EQ(dst.at8(0, 2), 12);
    EXPECT_EQ(dst.at8(2, 2), 13);
}

TEST(ImpResize, Linear16LosesLowestBitAtUnitScale)
{
    ImpModeGuard g;
    TestImage src(1, 16, 3, 3), dst(1, 16, 3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            src.at16(x, y) = 65535;
    impResize(src.h, dst.h, 1, 1, 1, 1, IMP_INTER_LINEAR);
    EXPECT_EQ(dst.at16(1, 1), 65534);
}

TEST(ImpResize, CubicClampsOvershoot)
{
    ImpModeGuard g;
    // Seven columns to thirteen: destination column 3 samples t = 0.5 between source columns 1 and 2.
    struct Case {
        std::initializer_list<int> row;
        int want;
    } cases[] = {
        {{0, 0, 0, 255, 255, 255, 255}, 0},        // -15.9375
        {{0, 255, 255, 255, 255, 255, 255}, 255},  // 270.9375
        {{0, 0, 255, 255, 255, 255, 255}, 127},    // 127.5
    };
    for (const Case& c : cases) {
        TestImage src(1, 8, 7, 4), dst(1, 8, 13, 4);
        fillRow8(src, c.row);
        impResize(src.h, dst.h, 13, 7, 4, 4, IMP_INTER_CUBIC);
        ASSERT_EQ(impGetStatus(), 0);
        EXPECT_EQ(dst.at8(3, 1), c.want);
        EXPECT_EQ(dst.at8(2, 1), src.at8(1, 1));  // on a source pixel
    }
}

TEST(ImpResize, ArgumentFaults)
{
    ImpModeGuard g;
    TestImage a(1, 8, 4, 4), b(1, 16, 4, 4);
    impResize(a.h, a.h, 8, 4, 8, 4, IMP_INTER_SUPER);
    EXPECT_EQ(impGetStatus(), -5);
    impSetStatus(0);
    impResize(a.h, b.h, 1, 1, 1, 1, IMP_INTER_NN);
    EXPECT_EQ(impGetStatus(), -5);
    impSetStatus(0);
    uint8_t before = a.at8(0, 0);
    impResize(a.h, a.h, 1, 1, 1, 1, IMP_INTER_LINEAR);
    EXPECT_EQ(impGetStatus(), -5);
    EXPECT_EQ(a.at8(0, 0), before);
}

TEST(ImpResize, AlphaChannelKept)
{
    ImpModeGuard g;
    ImpHeader* s = impCreateImageHeader(4, 4, 8, "RGBA", "BGRA", 0, 0, 4, 4, 4, nullptr, nullptr, nullptr, nullptr);
    ImpHeader* d = impCreateImageHeader(4, 4, 8, "RGBA", "BGRA", 0, 0, 4, 8, 8, nullptr, nullptr, nullptr, nullptr);
    impAllocateImage(s, 1, 100);
    impAllocateImage(d, 1, 7);
    impResize(s, d, 8, 4, 8, 4, IMP_INTER_LINEAR);
    EXPECT_EQ(impGetStatus(), 0);
    EXPECT_EQ((uint8_t)d->imageData[0], 100);
    EXPECT_EQ((uint8_t)d->imageData[3], 7);
    impReleaseImageParts(s, 31);
    impReleaseImageParts(d, 31);
}

TEST(ImpResize, MaskLimitsWrites)
{
    ImpModeGuard g;
    TestImage src(1, 8, 4, 4, 0, 50), dst(1, 8, 4, 4, 0, 9), mask(1, 1, 4, 4, 0, 0);
    mask.setBit(1, 1, true);
    dst.h->maskImage = mask.h;
    impResize(src.h, dst.h, 1, 1, 1, 1, IMP_INTER_NN);
    dst.h->maskImage = nullptr;
    EXPECT_EQ(dst.at8(1, 1), 50);
    EXPECT_EQ(dst.at8(0, 0), 9);
}

TEST(ImpDecimate, SuperAveragesWindows)
{
    ImpModeGuard g;
    TestImage src(1, 8, 4, 4), dst(1, 8, 2, 2);
    int v = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.at8(x, y) = (uint8_t)(v++ * 3);
    impResize(src.h, dst.h, 2, 4, 2, 4, IMP_INTER_SUPER);
    ASSERT_EQ(impGetStatus(), 0);
    // (0 + 3 + 12 + 15) / 4 = 7.5 rounds to 8.
    EXPECT_EQ(dst.at8(0, 0), 8);
    EXPECT_EQ(dst.at8(1, 1), (30 + 33 + 42 + 45 + 2) / 4);
}

TEST(ImpDecimate, NearestAndLinearOneAxis)
{
    ImpModeGuard g;
    TestImage src(1, 8, 9, 4), dst(1, 8, 6, 4);
    fillRow8(src, {0, 10, 20, 30, 40, 50, 60, 70, 80});
    impDecimate(src.h, dst.h, 2, 3, 1, 1, IMP_INTER_NN);
    ASSERT_EQ(impGetStatus(), 0);
    int nn[] = {0, 20, 30, 50, 60, 80};
    for (int j = 0; j < 6; ++j)
        EXPECT_EQ(dst.at8(j, 0), nn[j]) << j;
    TestImage lin(1, 8, 6, 4);
    fillRow8(src, {0, 11, 20, 30, 40, 50, 60, 70, 80});
    impDecimate(src.h, lin.h, 2, 3, 1, 1, IMP_INTER_LINEAR);
    EXPECT_EQ(lin.at8(0, 0), 0);
    EXPECT_EQ(lin.at8(1, 0), 15);  // (11 + 20) / 2 truncated
    EXPECT_EQ(lin.at8(2, 0), 30);
}

TEST(ImpDecimate, RefusesSignedDepthsAndCountsReports)
{
    ImpModeGuard g;
    TestImage s(1, IMP_DEPTH_16S, 4, 4), d(1, IMP_DEPTH_16S, 2, 2);
    EXPECT_EQ(impDecimate(s.h, d.h, 1, 2, 1, 2, IMP_INTER_NN), -5);
    impSetStatus(0);
    EXPECT_EQ(impDecimate(s.h, s.h, 0, 2, 1, 2, IMP_INTER_NN), -5);
}

TEST(ImpDecimate, CubicExactFactorsCopy)
{
    ImpModeGuard g;
    TestImage s(1, 8, 5, 5), d(1, 8, 5, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            s.at8(x, y) = (uint8_t)(x * 7 + y * 3);
    impDecimate(s.h, d.h, 1, 1, 1, 1, IMP_INTER_CUBIC);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(d.at8(x, y), s.at8(x, y));
}

// Cubic resize worked out pixel by pixel: the Lagrange cubic through the four samples around each position,
// across and then down, with corner-aligned positions and the taps kept inside the image.
static double cubicReference(TestImage& src, double sx, double sy)
{
    auto taps = [](double v, int n, int* first) {
        int i = (int)std::floor(v + 0.00001);
        int idx = i >= n - 1 ? n - 3 : i == 0 ? 1 : i == n - 2 ? n - 3 : i;
        *first = idx - 1;
        return i >= n - 1 ? 2.0 : v - idx;
    };
    auto lagrange = [](const double q[4], double t) {
        double pos[4] = {-1, 0, 1, 2}, sum = 0;
        for (int m = 0; m < 4; ++m) {
            double w = 1;
            for (int k = 0; k < 4; ++k)
                if (k != m)
                    w *= (t - pos[k]) / (pos[m] - pos[k]);
            sum += w * q[m];
        }
        return sum;
    };
    int x0, y0;
    double tx = taps(sx, src.h->width, &x0), ty = taps(sy, src.h->height, &y0);
    double across[4];
    for (int m = 0; m < 4; ++m) {
        double q[4];
        for (int k = 0; k < 4; ++k)
            q[k] = src.at8(x0 + k, y0 + m);
        across[m] = lagrange(q, tx);
    }
    return std::clamp(std::floor(lagrange(across, ty) + 0.00001), 0.0, 255.0);
}

TEST(ImpResize, CubicShrinkTakesTheRowsAroundEachSample)
{
    ImpModeGuard g;
    struct Case {
        int srcW, srcH, dstW, dstH;
        bool onGrid;
    } cases[] = {
        {13, 9, 7, 5, true},      // every destination pixel on source pixel (2x, 2y)
        {16, 40, 16, 13, false},  // about three source rows per destination row
        {11, 23, 9, 8, false},
    };
    std::mt19937 rng(5);
    for (const Case& c : cases) {
        TestImage src(1, 8, c.srcW, c.srcH), dst(1, 8, c.dstW, c.dstH);
        for (int y = 0; y < c.srcH; ++y)
            for (int x = 0; x < c.srcW; ++x)
                src.at8(x, y) = (uint8_t)rng();
        impResize(src.h, dst.h, c.dstW, c.srcW, c.dstH, c.srcH, IMP_INTER_CUBIC);
        ASSERT_EQ(impGetStatus(), 0);
        double xStep = c.dstW == c.srcW ? 1.0 : (c.srcW - 1.0) / (c.dstW - 1.0);
        double yStep = c.dstH == c.srcH ? 1.0 : (c.srcH - 1.0) / (c.dstH - 1.0);
        for (int y = 0; y < c.dstH; ++y)
            for (int x = 0; x < c.dstW; ++x) {
                double want = cubicReference(src, x * xStep, y * yStep);
                if (c.onGrid)
                    ASSERT_EQ(want, src.at8(2 * x, 2 * y));
                ASSERT_NEAR(dst.at8(x, y), want, c.onGrid ? 0 : 1)
                    << c.srcW << "x" << c.srcH << " at " << x << "," << y;
            }
    }
}
