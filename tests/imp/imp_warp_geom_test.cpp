// Warp geometry (corners, spans), impWarpAffine's refusals and downgrades, and warps of tiled images.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "imp/impwarp.h"
#include "imp/impwarp_geom.h"
#include "imp/impwarp_kernels.h"
#include "imp/ownrect.h"
#include "imp_test_util.h"
#include "imp_tiled_image.h"

namespace {

bool samePixels(const ImpHeader* a, const ImpHeader* b)
{
    int rowBytes = (a->width * impDepthBits(a->depth) * a->channels + 7) / 8;
    for (int y = 0; y < a->height; ++y)
        if (std::memcmp(a->imageData + y * a->widthStep, b->imageData + y * b->widthStep, rowBytes))
            return false;
    return true;
}

}  // namespace

TEST(ImpWarpGeometry, IdentityCornersOfARegion)
{
    ImpModeGuard g;
    TestImage im(1, 8, 20, 20);
    im.roi(0, 2, 3, 10, 8);
    const double identity[6] = {1, 0, 0, 0, 1, 0};
    double q[8];
    impGetAffineQuad(im.h, identity, q);
    const double want[8] = {2, 3, 11, 3, 11, 10, 2, 10};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(q[i], want[i]);
    double inv[6];
    int32_t orientation;
    const double turn[6] = {0.6, 0.8, 5, -0.8, 0.6, 9};
    impAffineQuadCorners(turn, 2, 3, 11, 10, q);
    impAffineFromQuad(2, 3, 11, 10, q, inv, &orientation, 0);
    const double wantInv[6] = {0.6, -0.8, -0.6 * 5 + 0.8 * 9, 0.8, 0.6, -0.8 * 5 - 0.6 * 9};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(inv[i], wantInv[i], 1e-12) << i;
}

TEST(ImpWarpGeometry, Spans)
{
    struct Case {
        double q[8];
        int32_t ok, firstRow, lastRow;
        std::vector<int32_t> first, last;
    } cases[] = {
        // Edges through pixel centres cover those pixels on both sides.
        {{1, 1, 4, 1, 4, 3, 1, 3}, 1, 1, 3, {1, 1, 1}, {4, 4, 4}},
        // An edge 1e-15 beside a centre still covers it.
        {{1 + 1e-15, 1, 4 - 1e-15, 1, 4 - 1e-15, 2, 1 + 1e-15, 2}, 1, 1, 2, {1, 1}, {4, 4}},
        // A triangle-like quadrangle with a horizontal top edge.
        {{0, 0, 4, 0, 4, 4, 4, 4}, 1, 0, 4, {0, 1, 2, 3, 4}, {4, 4, 4, 4, 4}},
        // Wholly outside the clip rectangle.
        {{20, 20, 30, 20, 30, 30, 20, 30}, 0, 0, 0, {}, {}},
        // Clipped to the corner point (9, 9).
        {{9, 9, 12, 9, 12, 12, 9, 12}, 1, 9, 9, {9}, {9}},
    };
    for (const Case& c : cases) {
        int32_t *first = nullptr, *last = nullptr, r0 = 0, r1 = 0;
        ASSERT_EQ(impWarpSpans(c.q, 0, 0, 9, 9, &first, &last, &r0, &r1), c.ok);
        if (!c.ok)
            continue;
        EXPECT_EQ(r0, c.firstRow);
        EXPECT_EQ(r1, c.lastRow);
        EXPECT_EQ(std::vector<int32_t>(first, first + (r1 - r0 + 1)), c.first);
        EXPECT_EQ(std::vector<int32_t>(last, last + (r1 - r0 + 1)), c.last);
        impAlignedFree(first);
        impAlignedFree(last);
    }
}

TEST(ImpWarp, RefusalsAndDowngrades)
{
    ImpModeGuard g;
    TestImage a(1, 8, 8, 8), b(1, 8, 8, 8, 0, 9);
    const double flat[6] = {1e-4, 0, 0, 0, 1e-4, 0};
    impWarpAffine(a.h, b.h, flat, IMP_INTER_NN);
    EXPECT_EQ(impGetStatus(), -5);
    impSetStatus(0);
    const double mirror[6] = {-1, 0, 7, 0, 1, 0};
    impWarpAffine(a.h, b.h, mirror, IMP_INTER_NN);
    EXPECT_EQ(impGetStatus(), 0);
    impWarpAffine(a.h, a.h, mirror, IMP_INTER_NN);
    EXPECT_EQ(impGetStatus(), -5);
    impSetStatus(0);
    impWarpAffine(a.h, b.h, mirror, 5);
    EXPECT_EQ(impGetStatus(), -5);
    impSetStatus(0);
    // Moved wholly outside: nothing written, no status.
    TestImage c(1, 8, 8, 8, 0, 9);
    const double away[6] = {1, 0, 100, 0, 1, 0};
    impWarpAffine(a.h, c.h, away, IMP_INTER_LINEAR);
    EXPECT_EQ(impGetStatus(), 0);
    EXPECT_EQ(c.at8(3, 3), 9);
    // A 1 x N region is degenerate.
    a.roi(0, 0, 0, 1, 8);
    impWarpAffine(a.h, b.h, mirror, IMP_INTER_NN);
    EXPECT_EQ(impGetStatus(), -5);
    impSetStatus(0);
    // Cubic on a 3-wide image runs as linear.
    TestImage thin(1, 8, 3, 100), l(1, 8, 9, 9), cu(1, 8, 9, 9);
    randomFill(thin.h, 2);
    const double tilt[6] = {0.9, 0.3, 2, -0.3, 0.9, 1};
    impWarpAffine(thin.h, l.h, tilt, IMP_INTER_LINEAR);
    impWarpAffine(thin.h, cu.h, tilt, IMP_INTER_CUBIC);
    EXPECT_EQ(impGetStatus(), 0);
    EXPECT_TRUE(samePixels(l.h, cu.h));
    // A 1-bit warp is nearest neighbour whatever is asked.
    TestImage bits(1, 1, 16, 16), n1(1, 1, 16, 16), c1(1, 1, 16, 16);
    randomFill(bits.h, 4);
    impWarpAffine(bits.h, n1.h, tilt, IMP_INTER_NN);
    impWarpAffine(bits.h, c1.h, tilt, IMP_INTER_CUBIC);
    EXPECT_TRUE(samePixels(n1.h, c1.h));
}

TEST(ImpWarp, TiledImagesMatchPlainOnes)
{
    ImpModeGuard g;
    // Coefficients whose inverse is exact, so every tile maps its pixels as the whole image does.
    const double m[6] = {0.5, 0.5, 3, -0.5, 0.5, 12};
    for (int mode : {IMP_INTER_NN, IMP_INTER_LINEAR, IMP_INTER_CUBIC})
        for (int which = 0; which < 3; ++which) {
            TiledImage ts(3, 8, 26, 22), td(3, 8, 24, 20);
            TestImage ps(3, 8, 26, 22), pd(3, 8, 24, 20);
            randomFill(ps.h, 7);
            randomFill(pd.h, 8);
            std::memcpy(ts.backing.h->imageData, ps.h->imageData, ps.h->imageSize);
            std::memcpy(td.backing.h->imageData, pd.h->imageData, pd.h->imageSize);
            ImpRoiRecord rs{0, 2, 1, 21, 19}, rd{0, 1, 2, 22, 17};
            ps.h->roi = ts.h->roi = &rs;
            pd.h->roi = td.h->roi = &rd;
            ImpHeader* s = which == 1 ? ps.h : ts.h;
            ImpHeader* d = which == 0 ? pd.h : td.h;
            TestImage& result = which == 0 ? pd : td.backing;
            TestImage plain(3, 8, 24, 20);
            std::memcpy(plain.h->imageData, pd.h->imageData, pd.h->imageSize);
            plain.h->roi = &rd;
            impWarpAffine(s, d, m, mode);
            impWarpAffine(ps.h, plain.h, m, mode);
            ps.h->roi = ts.h->roi = pd.h->roi = td.h->roi = plain.h->roi = nullptr;
            ASSERT_EQ(impGetStatus(), 0);
            EXPECT_TRUE(samePixels(result.h, plain.h)) << "mode " << mode << " tiled " << which;
            EXPECT_EQ(td.fetched, td.released);
            EXPECT_EQ(ts.fetched, ts.released);
            EXPECT_GT(which == 0 ? ts.fetched : td.fetched, 0);
        }
}

// Whole-pixel shifts have level edges, so every destination pixel has a known value: the shifted source pixel
// where its centre lies in the quadrangle and the region (cubic: the whole plain image's warp there, as its
// edge rows are interpolated), else what was there. One-row regions and the one-row shares of the last tile row
// are written too.
TEST(ImpWarp, LevelEdgesAndOneRowSharesMatchPerPixelReference)
{
    ImpModeGuard g;
    struct Case {
        int srcW, srcH, dstW, dstH;
        bool tiledSrc, tiledDst;
        int roiX, roiY, roiW, roiH;  // destination region; width 0 for none
        double shiftX, shiftY;
    } cases[] = {
        {20, 10, 24, 10, false, false, 2, 5, 20, 1, 0, 0},  // one-row region
        {16, 17, 16, 17, false, true, 0, 0, 0, 0, 0, 0},    // tiles 8 x 8: the last tile row has one row
        {16, 17, 16, 17, false, true, 0, 0, 0, 0, -2, 1},
        {40, 129, 40, 129, true, false, 0, 0, 0, 0, 0, 0},  // tiled source; the last share is one row
        {40, 129, 40, 129, true, false, 0, 0, 0, 0, 3, 0},
        {40, 129, 44, 131, true, true, 1, 2, 40, 129, -1, 2},
    };
    for (const Case& c : cases)
        for (int mode : {IMP_INTER_NN, IMP_INTER_LINEAR, IMP_INTER_CUBIC}) {
            SCOPED_TRACE(testing::Message()
                         << c.dstW << "x" << c.dstH << " shift " << c.shiftX << "," << c.shiftY << " mode " << mode);
            TiledImage ts(1, 8, c.srcW, c.srcH), td(1, 8, c.dstW, c.dstH);
            TestImage ps(1, 8, c.srcW, c.srcH), pd(1, 8, c.dstW, c.dstH), before(1, 8, c.dstW, c.dstH);
            randomFill(ps.h, 21);
            randomFill(pd.h, 22);
            std::memcpy(ts.backing.h->imageData, ps.h->imageData, ps.h->imageSize);
            std::memcpy(td.backing.h->imageData, pd.h->imageData, pd.h->imageSize);
            std::memcpy(before.h->imageData, pd.h->imageData, pd.h->imageSize);
            ImpRoiRecord rd{0, c.roiX, c.roiY, c.roiW, c.roiH};
            ImpHeader* d = c.tiledDst ? td.h : pd.h;
            if (c.roiW)
                d->roi = &rd;
            const double m[6] = {1, 0, c.shiftX, 0, 1, c.shiftY};
            impWarpAffine(c.tiledSrc ? ts.h : ps.h, d, m, mode);
            d->roi = nullptr;
            TestImage whole(1, 8, c.dstW, c.dstH);
            impWarpAffine(ps.h, whole.h, m, mode);
            ASSERT_EQ(impGetStatus(), 0);
            EXPECT_EQ(td.fetched, td.released);
            EXPECT_EQ(ts.fetched, ts.released);
            TestImage& result = c.tiledDst ? td.backing : pd;
            int x0 = c.roiW ? c.roiX : 0, y0 = c.roiW ? c.roiY : 0;
            int x1 = c.roiW ? c.roiX + c.roiW - 1 : c.dstW - 1, y1 = c.roiW ? c.roiY + c.roiH - 1 : c.dstH - 1;
            for (int Y = 0; Y < c.dstH; ++Y)
                for (int X = 0; X < c.dstW; ++X) {
                    int sx = X - (int)c.shiftX, sy = Y - (int)c.shiftY;
                    bool inside =
                        X >= x0 && X <= x1 && Y >= y0 && Y <= y1 && sx >= 0 && sx < c.srcW && sy >= 0 && sy < c.srcH;
                    uint8_t want = !inside                   ? before.at8(X, Y)
                                   : mode == IMP_INTER_CUBIC ? whole.at8(X, Y)
                                                             : ps.at8(sx, sy);
                    ASSERT_EQ(result.at8(X, Y), want) << "at " << X << "," << Y;
                }
        }
    // A rotation into an image one row high writes the same row as into a taller image.
    for (int mode : {IMP_INTER_NN, IMP_INTER_LINEAR, IMP_INTER_CUBIC}) {
        TestImage src(1, 8, 20, 20), low(1, 8, 20, 1), tall(1, 8, 20, 6);
        randomFill(src.h, 23);
        double xs = 0, ys = 0;
        impRotateCenterShift(9.5, 9.5, 10.0, &xs, &ys);
        impRotate(src.h, low.h, 10.0, xs, ys, mode);
        impRotate(src.h, tall.h, 10.0, xs, ys, mode);
        ASSERT_EQ(impGetStatus(), 0);
        int written = 0;
        for (int x = 0; x < 20; ++x) {
            EXPECT_EQ(low.at8(x, 0), tall.at8(x, 0)) << x << " mode " << mode;
            written += low.at8(x, 0) != 0;
        }
        EXPECT_GT(written, 5) << "mode " << mode;
    }
}

TEST(ImpWarp, ThreeChannelFastPathsEqualTheScalarKernels)
{
    // Every column span of the source, last columns and rows included, under turns that step in all directions.
    std::mt19937 rng(13);
    for (int iter = 0; iter < 60; ++iter) {
        // Odd iterations map whole spans inside a larger source; even ones run off small ones.
        bool inside = iter % 2;
        int w = inside ? 40 : 3 + iter % 9, h = inside ? 30 : 2 + iter % 5;
        TestImage src(3, 8, w, h), a(3, 8, 24, 24), b(3, 8, 24, 24);
        for (int i = 0; i < src.h->imageSize; ++i)
            src.h->imageData[i] = (char)rng();
        std::vector<int32_t> first(24, 0), last(24, 23);
        ImpWarpRun run{};
        run.src = src.h->imageData;
        run.srcStep = src.h->widthStep;
        run.dstStep = a.h->widthStep;
        run.srcStride = run.dstStride = 3;
        run.channels = 3;
        run.firstRow = 0;
        run.lastRow = 23;
        run.firstCol = first.data();
        run.lastCol = last.data();
        double angle = (rng() % 360) * 0.017453292519943295, scale = inside ? 0.4 : (double)w / 24.0 * 1.3;
        const double m[6] = {scale * std::cos(angle),  scale * std::sin(angle), w / 2.0,
                             -scale * std::sin(angle), scale * std::cos(angle), h / 2.0};
        std::memcpy(run.m, m, sizeof(m));
        run.maxX = w - 1;
        run.maxY = h - 1;
        using Kernel = void (*)(const ImpWarpRun&);
        const Kernel pairs[2][2] = {{impWarpLinear8uPixel, impWarpLinear8uPixelRef},
                                    {impWarpNN8uPixel, impWarpNN8uPixelRef}};
        for (const auto& pair : pairs) {
            run.dst = a.h->imageData;
            pair[0](run);
            run.dst = b.h->imageData;
            pair[1](run);
            ASSERT_TRUE(samePixels(a.h, b.h)) << iter;
        }
    }
}

TEST(ImpWarp, SmoothEdgesBlendTheOutsideNeighbours)
{
    ImpModeGuard g;
    // A shear: left edge x = 0.5 * row + 1, right edge x = 0.5 * row + 8, rows 2 to 9 (top and bottom level).
    const double shear[6] = {1, 0.5, 2, 0, 1, 2};
    TestImage src(1, 8, 8, 8, 0, 200), plain(1, 8, 20, 20, 0, 0), smooth(1, 8, 20, 20, 0, 0);
    impWarpAffine(src.h, plain.h, shear, IMP_INTER_NN);
    impWarpAffine(src.h, smooth.h, shear, IMP_INTER_NN | IMP_SMOOTH_EDGE);
    ASSERT_EQ(impGetStatus(), 0);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            // On odd rows the edges cross half-way between two pixels: the outside one takes half the inside value.
            bool blended = y >= 3 && y <= 9 && y % 2 == 1 && (x == y / 2 + 1 || x == y / 2 + 9);
            EXPECT_EQ(smooth.at8(x, y), blended ? 100 : plain.at8(x, y)) << x << "," << y;
        }
}
