// Tiled images served through the tile callback give the same pixels as plain images, and every tile comes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>

#include "imp/impblur.h"
#include "imp/impcnv2d.h"
#include "imp/impgeom.h"
#include "imp/implogic.h"
#include "imp/impsce.h"
#include "imp_test_util.h"
#include "imp_tiled_image.h"

namespace {

void expectSamePixels(TestImage& a, TestImage& b)
{
    int rowBytes = (a.h->width * impDepthBits(a.h->depth) * a.h->channels + 7) / 8;
    for (int y = 0; y < a.h->height; ++y)
        ASSERT_EQ(0, memcmp(a.h->imageData + y * a.h->widthStep, b.h->imageData + y * b.h->widthStep, rowBytes)) << y;
}

}  // namespace

TEST(ImpTiles, AndMatchesPlainImages)
{
    ImpModeGuard g;
    TiledImage ta(3, 8, 21, 13), td(3, 8, 19, 17);
    TestImage pa(3, 8, 21, 13), pb(3, 8, 20, 12), pd(3, 8, 19, 17);
    randomFill(pa.h, 1);
    randomFill(pb.h, 2);
    randomFill(pd.h, 3);
    memcpy(ta.backing.h->imageData, pa.h->imageData, pa.h->imageSize);
    memcpy(td.backing.h->imageData, pd.h->imageData, pd.h->imageSize);
    ImpRoiRecord ra{0, 3, 2, 15, 10}, rd{0, 5, 4, 20, 20};
    ta.h->roi = pa.h->roi = &ra;
    td.h->roi = pd.h->roi = &rd;
    impAnd(ta.h, pb.h, td.h);
    impAnd(pa.h, pb.h, pd.h);
    ta.h->roi = pa.h->roi = td.h->roi = pd.h->roi = nullptr;
    EXPECT_EQ(impGetStatus(), 0);
    expectSamePixels(td.backing, pd);
    EXPECT_EQ(td.fetched, td.released);
    EXPECT_GT(td.fetched, 0);
    EXPECT_EQ(ta.fetched, ta.released);
}

TEST(ImpTiles, FailedTileReportsAndHandsBack)
{
    ImpModeGuard g;
    TiledImage ta(1, 8, 30, 20), td(1, 8, 30, 20);
    TestImage pb(1, 8, 30, 20);
    td.failAfter = 3;
    impOr(ta.h, pb.h, td.h);
    EXPECT_EQ(impGetStatus(), -5);
    EXPECT_EQ(ta.fetched, ta.released);
    EXPECT_EQ(td.fetched, td.released);
    EXPECT_GT(td.fetched, 0);
}

TEST(ImpTiles, CopySetAndXorMatchPlainImages)
{
    ImpModeGuard g;
    TiledImage ts(1, 8, 20, 18), td(1, 8, 20, 18);
    TestImage ps(1, 8, 20, 18), pd(1, 8, 20, 18);
    randomFill(ps.h, 4);
    memcpy(ts.backing.h->imageData, ps.h->imageData, ps.h->imageSize);
    ImpRoiRecord rs{0, 1, 3, 14, 12}, rd{0, 4, 2, 14, 12};
    ts.h->roi = ps.h->roi = &rs;
    td.h->roi = pd.h->roi = &rd;
    impCopy(ts.h, td.h);
    impCopy(ps.h, pd.h);
    EXPECT_EQ(impGetStatus(), 0);
    expectSamePixels(td.backing, pd);
    impSet(td.h, 77);
    impSet(pd.h, 77);
    expectSamePixels(td.backing, pd);
    impXorS(ts.h, td.h, 0x5A);
    impXorS(ps.h, pd.h, 0x5A);
    expectSamePixels(td.backing, pd);
    ts.h->roi = ps.h->roi = td.h->roi = pd.h->roi = nullptr;
    EXPECT_EQ(td.fetched, td.released);
    EXPECT_GT(td.fetched, 0);
    EXPECT_EQ(ts.fetched, ts.released);
    EXPECT_GT(ts.fetched, 0);
}

TEST(ImpTiles, ResizeIntoTiledDestination)
{
    ImpModeGuard g;
    for (int mode : {IMP_INTER_NN, IMP_INTER_LINEAR, IMP_INTER_CUBIC}) {
        TestImage src(3, 8, 11, 9);
        randomFill(src.h, 5);
        TiledImage td(3, 8, 21, 17);
        TestImage pd(3, 8, 21, 17);
        impResize(src.h, td.h, 21, 11, 17, 9, mode);
        impResize(src.h, pd.h, 21, 11, 17, 9, mode);
        EXPECT_EQ(impGetStatus(), 0);
        expectSamePixels(td.backing, pd);
        EXPECT_EQ(td.fetched, td.released);
        EXPECT_GT(td.fetched, 0);
    }
}

TEST(ImpTiles, ResizeFromTiledSourceAwayFromEdges)
{
    ImpModeGuard g;
    for (int mode : {IMP_INTER_NN, IMP_INTER_LINEAR}) {
        TiledImage ts(1, 8, 65, 65);
        TestImage ps(1, 8, 65, 65);
        randomFill(ps.h, 6);
        memcpy(ts.backing.h->imageData, ps.h->imageData, ps.h->imageSize);
        TestImage a(1, 8, 129, 129), b(1, 8, 129, 129);
        impResize(ts.h, a.h, 129, 65, 129, 65, mode);
        impResize(ps.h, b.h, 129, 65, 129, 65, mode);
        EXPECT_EQ(impGetStatus(), 0);
        expectSamePixels(a, b);
        EXPECT_EQ(ts.fetched, ts.released);
        EXPECT_GT(ts.fetched, 0);
    }
}

TEST(ImpTiles, DecimateTiledSourceAndDestination)
{
    ImpModeGuard g;
    for (int mode : {IMP_INTER_NN, IMP_INTER_LINEAR, IMP_INTER_SUPER}) {
        TiledImage ts(1, 8, 40, 36), td(1, 8, 20, 12);
        TestImage ps(1, 8, 40, 36), pd(1, 8, 20, 12);
        randomFill(ps.h, 7);
        memcpy(ts.backing.h->imageData, ps.h->imageData, ps.h->imageSize);
        impDecimate(ts.h, td.h, 1, 2, 1, 3, mode);
        impDecimate(ps.h, pd.h, 1, 2, 1, 3, mode);
        EXPECT_EQ(impGetStatus(), 0) << mode;
        expectSamePixels(td.backing, pd);
        EXPECT_EQ(ts.fetched, ts.released);
        EXPECT_GT(ts.fetched, 0);
        EXPECT_EQ(td.fetched, td.released);
        EXPECT_GT(td.fetched, 0);
    }
}

TEST(ImpTiles, BitImagesWithMasksAndUnequalTiles)
{
    ImpModeGuard g;
    for (unsigned seed = 0; seed < 6; ++seed) {
        std::mt19937 rng(seed);
        TiledImage ta(1, 1, 45, 30, 8, 16), td(1, 1, 40, 33, 16, 8);
        TestImage pa(1, 1, 45, 30), pb(1, 1, 41, 29), pd(1, 1, 40, 33), mask(1, 1, 40, 33);
        randomFill(pa.h, seed + 10);
        randomFill(pb.h, seed + 20);
        randomFill(pd.h, seed + 30);
        randomFill(mask.h, seed + 40);
        memcpy(ta.backing.h->imageData, pa.h->imageData, pa.h->imageSize);
        memcpy(td.backing.h->imageData, pd.h->imageData, pd.h->imageSize);
        ImpRoiRecord ra{0, (int)(rng() % 9), (int)(rng() % 9), 30, 25},
            rd{0, (int)(rng() % 11), (int)(rng() % 7), 30, 25};
        ImpRoiRecord rm{0, (int)(rng() % 5), (int)(rng() % 5), 40, 40};
        ta.h->roi = pa.h->roi = &ra;
        td.h->roi = pd.h->roi = &rd;
        mask.h->roi = &rm;
        td.h->maskImage = pd.h->maskImage = mask.h;
        impOr(ta.h, pb.h, td.h);
        impOr(pa.h, pb.h, pd.h);
        impXorS(ta.h, td.h, 1);
        impXorS(pa.h, pd.h, 1);
        td.h->maskImage = pd.h->maskImage = nullptr;
        ta.h->roi = pa.h->roi = td.h->roi = pd.h->roi = mask.h->roi = nullptr;
        ASSERT_EQ(impGetStatus(), 0);
        expectSamePixels(td.backing, pd);
        EXPECT_EQ(td.fetched, td.released);
        EXPECT_EQ(ta.fetched, ta.released);
    }
}

TEST(ImpTiles, SixteenBitSetWithChannelOfInterest)
{
    ImpModeGuard g;
    TiledImage td(3, 16, 30, 20);
    TestImage pd(3, 16, 30, 20);
    ImpRoiRecord r{2, 3, 5, 20, 12};
    td.h->roi = pd.h->roi = &r;
    impSet(td.h, 0x1234);
    impSet(pd.h, 0x1234);
    td.h->roi = pd.h->roi = nullptr;
    expectSamePixels(td.backing, pd);
    EXPECT_EQ(pd.at16(3, 5, 1), 0x1234);
    EXPECT_EQ(pd.at16(3, 5, 0), 0);
}

namespace {

// Tile requests of a tall image: the longest run of tile reads with no tile written in between.
struct TileCounter {
    int run = 0, longest = 0, reads = 0;
    static TileCounter* current;
    static void callBack(ImpHeader* image, int32_t col, int32_t row, int32_t mode)
    {
        if (mode == IMP_TILE_READ) {
            ++current->reads;
            current->longest = std::max(current->longest, ++current->run);
        } else if (mode == IMP_TILE_WRITE) {
            current->run = 0;
        }
        TiledImage::callBack(image, col, row, mode);
    }
};
TileCounter* TileCounter::current = nullptr;

}  // namespace

// Tiled blur and convolution read the source a band of tile rows at a time: between two tiles written no more
// than a few tile rows' worth of rows are read, however tall the image, and the pixels are those of untiled images.
TEST(ImpTiles, FiltersWorkInBandsOfTileRows)
{
    ImpModeGuard g;
    const int width = 256, height = 1024, tile = 32, cols = width / tile;
    const int32_t binomial[25] = {1, 4, 6, 4, 1, 4, 16, 24, 16, 4, 6, 24, 36, 24, 6, 4, 16, 24, 16, 4, 1, 4, 6, 4, 1};
    ImpKernel* kernel = impCreateConvKernel(5, 5, 2, 2, binomial, 8);
    for (bool blur : {true, false})
        for (bool inPlace : {false, true}) {
            SCOPED_TRACE(testing::Message() << (blur ? "blur" : "convolution") << (inPlace ? " in place" : ""));
            TiledImage ts(1, 8, width, height, tile), td(1, 8, width, height, tile);
            TestImage plain(1, 8, width, height), want(1, 8, width, height);
            randomFill(plain.h, 31);
            std::memcpy(ts.backing.h->imageData, plain.h->imageData, plain.h->imageSize);
            std::memcpy(td.backing.h->imageData, plain.h->imageData, plain.h->imageSize);
            TileCounter counter;
            TileCounter::current = &counter;
            ts.h->tileInfo->callBack = td.h->tileInfo->callBack = TileCounter::callBack;
            ImpHeader* s = inPlace ? td.h : ts.h;
            if (blur) {
                impBlur(plain.h, want.h, 5, 5, 2, 2);
                impBlur(s, td.h, 5, 5, 2, 2);
            } else {
                impConvolve2D(plain.h, want.h, &kernel, 1, IMP_SUM);
                impConvolve2D(s, td.h, &kernel, 1, IMP_SUM);
            }
            ASSERT_EQ(impGetStatus(), 0);
            EXPECT_EQ(ts.fetched, ts.released);
            EXPECT_EQ(td.fetched, td.released);
            // The bordered copy asks for the tiles of every row it reads.
            EXPECT_LE(counter.longest, 3 * tile * cols);
            EXPECT_GE(counter.reads, height * cols);
            expectSamePixels(td.backing, want);
        }
    impDeleteConvKernel(kernel);
}
