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
                if (c.onGrid) {
                    ASSERT_EQ(want, src.at8(2 * x, 2 * y));
                }
                ASSERT_NEAR(dst.at8(x, y), want, c.onGrid ? 0 : 1)
                    << c.srcW << "x" << c.srcH << " at " << x << "," << y;
            }
    }
}

// The cubic resize's arithmetic step by step for a whole image: positions by repeated addition, taps kept inside
// the image, single-precision coefficients and differences summed in double, a float work value across, and the
// result floor(v + 0.00001) clamped. Every sample must match it exactly.
static std::vector<int64_t> cubicArithmetic(const ImpHeader* s, int dw, int dh, int channels)
{
    int bytes = s->depth / 8, maxV = s->depth == 16 ? 65535 : 255;
    auto floorEps = [](double v) { return (int)std::nearbyint(v + 0.00001 - 0.5); };
    auto axis = [&](int n, int srcN, double step, std::vector<int>& idx, std::vector<float>& frac) {
        double v = 0.0;
        for (int j = 0; j < n; ++j, v += step) {
            int i = std::clamp(floorEps(v), 0, srcN - 1);
            if (i >= srcN - 1) {
                idx.push_back(i - 2), frac.push_back(2.0f);
                continue;
            }
            int k = i == 0 ? 1 : i == srcN - 2 ? i - 1 : i;
            idx.push_back(k), frac.push_back((float)(v - k));
        }
    };
    auto cubic = [](float qm, float q0, float q1, float q2, float t) {
        double a = (double)t + 1.0;
        float c1 = (float)a, c2 = (float)(c1 * (0.5 * t)), c3 = (float)(((double)t - 1.0) * c2 * (double)0.33333334f);
        float d1 = (float)((double)q0 - qm), d2 = (float)((double)q1 - q0 - d1);
        float d3 = (float)((double)q2 - 2.0 * q1 + q0 - d2);
        return (double)qm + (double)c1 * d1 + (double)c2 * d2 + (double)c3 * d3;
    };
    auto sample = [&](int x, int y, int c) {
        const char* p = s->imageData + (int64_t)y * s->widthStep + ((int64_t)x * s->channels + c) * bytes;
        return bytes == 2 ? (float)*(const uint16_t*)p : (float)*(const uint8_t*)p;
    };
    std::vector<int> cols, rows;
    std::vector<float> cf, rf;
    axis(dw, s->width, dw == s->width ? 1.0 : (s->width - 1.0) / (dw - 1.0), cols, cf);
    axis(dh, s->height, dh == s->height ? 1.0 : (s->height - 1.0) / (dh - 1.0), rows, rf);
    std::vector<int64_t> out;
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x)
            for (int c = 0; c < channels; ++c) {
                float q[4];
                for (int m = 0; m < 4; ++m) {
                    int sy = rows[y] + m - 1, sx = cols[x];
                    q[m] = (float)cubic(sample(sx - 1, sy, c), sample(sx, sy, c), sample(sx + 1, sy, c),
                                        sample(sx + 2, sy, c), cf[x]);
                }
                out.push_back(std::clamp(floorEps(cubic(q[0], q[1], q[2], q[3], rf[y])), 0, maxV));
            }
    return out;
}

TEST(ImpResize, CubicFollowsItsArithmeticExactly)
{
    ImpModeGuard g;
    struct Case {
        int depth, channels, srcW, srcH, dstW, dstH;
    } cases[] = {
        {8, 1, 640, 480, 427, 321}, {16, 1, 4, 4, 8, 8},    {8, 3, 64, 48, 91, 33},
        {8, 1, 37, 29, 100, 61},    {16, 3, 23, 17, 40, 9}, {8, 4, 30, 20, 17, 45},
    };
    std::mt19937 rng(12);
    for (const Case& c : cases) {
        TestImage src(c.channels, c.depth, c.srcW, c.srcH), dst(c.channels, c.depth, c.dstW, c.dstH);
        randomFill(src.h, rng());
        impResize(src.h, dst.h, c.dstW, c.srcW, c.dstH, c.srcH, IMP_INTER_CUBIC);
        ASSERT_EQ(impGetStatus(), 0);
        std::vector<int64_t> want = cubicArithmetic(src.h, c.dstW, c.dstH, c.channels);
        size_t i = 0;
        for (int y = 0; y < c.dstH; ++y)
            for (int x = 0; x < c.dstW; ++x)
                for (int k = 0; k < c.channels; ++k, ++i)
                    ASSERT_EQ(sampleAt(dst.h, x, y, k), want[i])
                        << c.depth << "-bit " << c.srcW << "x" << c.srcH << " -> " << c.dstW << "x" << c.dstH << " at "
                        << x << "," << y << "," << k;
    }
}
