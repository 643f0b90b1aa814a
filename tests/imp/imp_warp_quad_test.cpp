// Perspective and bilinear warps: inverse maps, row points (with their guards) and span kernels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "imp/impwarp.h"
#include "imp/impwarp_geom.h"
#include "imp/impwarp_quad.h"
#include "imp/ownrect.h"
#include "imp_test_util.h"
#include "imp_tiled_image.h"

namespace {

// Linear sampling from a real point by the rule shared by these kernels.
double linearAt(const ImpHeader* s, double x, double y, int k)
{
    int64_t i = std::min<int64_t>(std::llrint(x + 1e-7 - 0.5), s->width - 2);
    int64_t j = std::min<int64_t>(std::llrint(y + 1e-7 - 0.5), s->height - 2);
    double fx = x - i, fy = y - j;
    double top = sampleAt(s, i, j, k) + (sampleAt(s, i + 1, j, k) - sampleAt(s, i, j, k)) * fx;
    double bottom = sampleAt(s, i, j + 1, k) + (sampleAt(s, i + 1, j + 1, k) - sampleAt(s, i, j + 1, k)) * fx;
    return std::nearbyint(top + (bottom - top) * fy);
}

}  // namespace

TEST(ImpWarpBilinear, InverseRecoversTheSourcePointInEveryMode)
{
    struct Case {
        double q[8];
        int32_t solution;
    } cases[] = {
        {{1, 2, 30, 4, 26, 25, 3, 21}, 0},
        {{0, 0, 10, 0, 12, 8, -1, 8}, 1},
        {{0, 0, 10, 1, 10, 9, 0, 10}, 2},
        {{2, 1, 12, 3, 10, 13, 0, 11}, 3},
    };
    const int32_t left = 3, top = 2, right = 19, bottom = 13;
    for (const Case& c : cases) {
        ImpBilinearInverse inv;
        int32_t orientation;
        impBilinearFromQuad(left, top, right, bottom, c.q, &inv, &orientation);
        EXPECT_EQ(inv.solution, c.solution);
        for (double u : {0.0, 0.3, 0.5, 1.0})
            for (double v : {0.0, 0.7, 1.0}) {
                double X = c.q[0] + u * (c.q[2] - c.q[0]) + v * (c.q[6] - c.q[0]) +
                           u * v * (c.q[0] - c.q[2] + c.q[4] - c.q[6]);
                double Y = c.q[1] + u * (c.q[3] - c.q[1]) + v * (c.q[7] - c.q[1]) +
                           u * v * (c.q[1] - c.q[3] + c.q[5] - c.q[7]);
                double x, y;
                impBilinearInversePoint(inv, X, Y, &x, &y);
                EXPECT_NEAR(x, left + u * (right - left), 1e-9) << c.solution << " " << u << "," << v;
                EXPECT_NEAR(y, top + v * (bottom - top), 1e-9) << c.solution << " " << u << "," << v;
            }
    }
}

TEST(ImpWarpBilinear, RowPointsStayFiniteWithoutARealRootOrADivisor)
{
    struct Case {
        int32_t solution;
        double A0, B0, C0;
    } cases[] = {
        {0, 1.0, 5.0, 2.0},  // A*A - B < 0
        {1, 0.0, 3.0, 2.0},  // x = B / A with A = 0
        {2, 0.0, 3.0, 2.0},  // y = C / A with A = 0
    };
    for (const Case& c : cases) {
        float buf[2];
        impBilinearRowPoints(buf, 1, c.C0, 0, c.B0, 0, c.A0, 0, 0.5, 4.0, c.solution, 1);
        EXPECT_TRUE(std::isfinite(buf[0]) && std::isfinite(buf[1])) << c.solution;
    }
    float buf[2];
    impBilinearRowPoints(buf, 1, 2.0, 0, 5.0, 0, 1.0, 0, 0.5, 4.0, 0, 1);
    EXPECT_FLOAT_EQ(buf[0], 1.0f + 4.0f);  // the discriminant counts as 0: u = A
    EXPECT_FLOAT_EQ(buf[1], 0.5f + 2.0f);
}

TEST(ImpWarpPerspective, RowPointsMatchDivision)
{
    for (int n = 1; n <= 9; ++n) {
        std::vector<double> b(2 * n);
        impPerspectiveRowPoints(b.data(), n, 2.0, 0.25, 3.0, 1.5, -1.0, 0.75);
        for (int k = 0; k < n; ++k) {
            double w = 2.0 + 0.25 * k;
            EXPECT_NEAR(b[k], (3.0 + 1.5 * k) / w, 1e-12) << n << " " << k;
            EXPECT_NEAR(b[n + k], (-1.0 + 0.75 * k) / w, 1e-12) << n << " " << k;
        }
    }
}

TEST(ImpWarpPerspective, NearestRoundsHalvesToEven)
{
    ImpModeGuard g;
    TestImage src(1, 8, 8, 4), dst(1, 8, 8, 4, 0, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            src.at8(x, y) = (uint8_t)(10 * x + y);
    // The region moved left by half a pixel: destination column X samples source x = X + 0.5.
    const double q[8] = {-0.5, 0, 6.5, 0, 6.5, 3, -0.5, 3};
    impWarpGeneric(src.h, dst.h, q, IMP_INTER_NN, "test", IMP_WARP_PERSPECTIVE, 1);
    EXPECT_EQ(impGetStatus(), 0);
    EXPECT_EQ(dst.at8(2, 1), 21);  // x = 2.5 takes column 2
    EXPECT_EQ(dst.at8(3, 1), 41);  // x = 3.5 takes column 4
}

// The row terms are carried down from the first row by adding their slopes. With these slopes the carried term
// lands beside a rounding tie that the term formed afresh for the row would hit: the row sampled tells them apart.
TEST(ImpWarpQuad, RowTermsAreCarriedFromRowToRow)
{
    TestImage src(1, 8, 4, 8), dst(1, 8, 1, 30, 0, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 4; ++x)
            src.at8(x, y) = (uint8_t)(10 * y);
    int32_t first[30] = {}, last[30] = {};
    ImpWarpRun run{
        src.h->imageData, dst.h->imageData, src.h->widthStep, dst.h->widthStep, 1, 1, 1, 0, 29, first, last, {}, 3, 7};
    std::vector<double> work(64);
    for (bool perspective : {true, false}) {
        // Source y is the row term alone: c4*Y + c5 (perspective, w = 1) or r7*Y + r9 (bilinear, solution 3).
        double slope = 0.1, start = perspective ? 0.5 : -0.9000000596046451;
        ImpQuadMap map{};
        map.c[4] = slope, map.c[5] = start, map.c[8] = 1.0;
        map.bilinear.r[7] = slope, map.bilinear.r[9] = start, map.bilinear.solution = 3;
        (perspective ? ImpWarpPerspectiveKernels : ImpWarpBilinearKernels)[0](run, map, IMP_INTER_NN, work.data());
        double term = start;
        for (int Y = 0; Y < 30; ++Y, term += slope) {
            double y = perspective ? term : (double)(float)term;
            int row = (int)std::clamp(std::nearbyint(y), 0.0, 7.0);
            EXPECT_EQ(dst.at8(0, Y), 10 * row) << (perspective ? "perspective" : "bilinear") << " row " << Y;
        }
    }
}

TEST(ImpWarpPerspective, KernelsMatchPerPixelReference)
{
    ImpModeGuard g;
    std::mt19937 rng(17);
    struct Layout {
        int depth, channels, order;
    } layouts[] = {{8, 1, 0}, {8, 3, 0}, {8, 3, 1}, {16, 3, 0}, {16, 2, 1}};
    for (const Layout& l : layouts)
        for (int32_t kind : {IMP_WARP_PERSPECTIVE, IMP_WARP_BILINEAR}) {
            TestImage src(l.channels, l.depth, 20, 16, l.order), dst(l.channels, l.depth, 24, 22, l.order);
            TestImage before(l.channels, l.depth, 24, 22, l.order);
            randomFill(src.h, rng());
            randomFill(dst.h, rng());
            std::memcpy(before.h->imageData, dst.h->imageData, dst.h->imageSize);
            const double q[8] = {2.5, 1.25, 21.5, 3.75, 19.25, 20.5, 1.75, 17.25};
            impWarpGeneric(src.h, dst.h, q, IMP_INTER_LINEAR, "test", kind, 1);
            ASSERT_EQ(impGetStatus(), 0);
            int32_t orientation;
            ImpQuadMap map{};
            if (kind == IMP_WARP_PERSPECTIVE)
                impPerspectiveFromQuad(0, 0, 19, 15, q, map.c, &orientation, 0);
            else
                impBilinearFromQuad(0, 0, 19, 15, q, &map.bilinear, &orientation);
            int32_t *first, *last, r0, r1;
            ASSERT_EQ(impWarpSpans(q, 0, 0, 23, 21, &first, &last, &r0, &r1), 1);
            for (int Y = 0; Y < 22; ++Y)
                for (int X = 0; X < 24; ++X) {
                    bool inside = Y >= r0 && Y <= r1 && X >= first[Y - r0] && X <= last[Y - r0];
                    double x, y;
                    if (kind == IMP_WARP_PERSPECTIVE) {
                        const double* c = map.c;
                        double w = c[6] * X + c[7] * Y + c[8];
                        x = (c[0] * X + c[1] * Y + c[2]) / w;
                        y = (c[3] * X + c[4] * Y + c[5]) / w;
                    } else {
                        impBilinearInversePoint(map.bilinear, X, Y, &x, &y);
                    }
                    for (int k = 0; k < l.channels; ++k) {
                        int64_t got = sampleAt(dst.h, X, Y, k);
                        if (!inside) {
                            ASSERT_EQ(got, sampleAt(before.h, X, Y, k));
                            continue;
                        }
                        ASSERT_NEAR((double)got, linearAt(src.h, x, y, k), 1.0)
                            << "kind " << kind << " depth " << l.depth << " at " << X << "," << Y << "," << k;
                    }
                }
            impAlignedFree(first);
            impAlignedFree(last);
        }
}

TEST(ImpWarpPerspective, TiledImagesMatchPlainOnes)
{
    ImpModeGuard g;
    // Each tile solves the map again from shifted corners, so samples may differ by the last rounding.
    const double q[8] = {3.5, 2.25, 24.5, 4.75, 21.25, 19.5, 2.75, 17.25};
    for (int32_t kind : {IMP_WARP_PERSPECTIVE, IMP_WARP_BILINEAR})
        for (int which = 0; which < 2; ++which) {
            TiledImage ts(3, 8, 26, 22), td(3, 8, 28, 24);
            TestImage ps(3, 8, 26, 22), pd(3, 8, 28, 24);
            randomFill(ps.h, 5);
            randomFill(pd.h, 6);
            std::memcpy(ts.backing.h->imageData, ps.h->imageData, ps.h->imageSize);
            std::memcpy(td.backing.h->imageData, pd.h->imageData, pd.h->imageSize);
            ImpHeader* s = which == 0 ? ts.h : ps.h;
            TestImage plain(3, 8, 28, 24);
            std::memcpy(plain.h->imageData, pd.h->imageData, pd.h->imageSize);
            impWarpGeneric(s, td.h, q, IMP_INTER_LINEAR, "test", kind, 1);
            impWarpGeneric(ps.h, plain.h, q, IMP_INTER_LINEAR, "test", kind, 1);
            ASSERT_EQ(impGetStatus(), 0);
            EXPECT_GT(td.fetched, 0);
            EXPECT_EQ(td.fetched, td.released);
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 28; ++x)
                    for (int k = 0; k < 3; ++k)
                        ASSERT_NEAR(td.backing.at8(x, y, k), plain.at8(x, y, k), 1) << kind << " " << x << "," << y;
        }
}
