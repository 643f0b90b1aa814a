// Random sizes, regions, masks and modes: resize and decimate stay inside their images and report no fault.
#include <gtest/gtest.h>

#include <random>

#include "imp/impgeom.h"
#include "imp_test_util.h"
#include "imp_tiled_image.h"

namespace {

struct Image {
    ImpHeader* h;
    ImpRoiRecord roi{};
    Image(int channels, int depth, int order, int w, int hgt)
    {
        h = impCreateImageHeader(channels, 0, depth, "RGB", "BGR", order, 0, 4, w, hgt, nullptr, nullptr, nullptr,
                                 nullptr);
        impAllocateImage(h, 1, 0x5A);
    }
    ~Image()
    {
        h->roi = nullptr;
        impReleaseImageParts(h, 3);
    }
    void randomRoi(std::mt19937& rng, int channels)
    {
        roi = ImpRoiRecord{channels > 1 && rng() % 4 == 0 ? 1 + (int)(rng() % channels) : 0, (int)(rng() % h->width),
                           (int)(rng() % h->height), 1 + (int)(rng() % (h->width + 3)),
                           1 + (int)(rng() % (h->height + 3))};
        h->roi = &roi;
    }
};

}  // namespace

TEST(ImpStress, ResizeAndDecimateRandomShapes)
{
    ImpModeGuard g;
    std::mt19937 rng(2024);
    int depths[] = {1, 8, 16};
    for (int round = 0; round < 3000; ++round) {
        int depth = depths[rng() % 3];
        int channels = depth == 1 ? 1 : 1 + rng() % 4;
        int order = depth == 1 ? 0 : rng() % 2;
        Image src(channels, depth, order, 1 + rng() % 23, 1 + rng() % 19);
        Image dst(channels, depth, order, 1 + rng() % 29, 1 + rng() % 21);
        if (rng() % 2)
            src.randomRoi(rng, channels);
        if (rng() % 2)
            dst.randomRoi(rng, channels);
        bool sameCoi = (src.h->roi ? src.h->roi->coi : 0) != 0 || (dst.h->roi ? dst.h->roi->coi : 0) != 0;
        if (sameCoi) {
            src.randomRoi(rng, channels);
            dst.randomRoi(rng, channels);
            src.roi.coi = dst.roi.coi = channels > 1 ? 1 + rng() % channels : 0;
        }
        Image mask(1, 1, 0, 1 + rng() % 30, 1 + rng() % 22);
        if (rng() % 4 == 0)
            dst.h->maskImage = mask.h;
        else if (rng() % 4 == 0)
            src.h->maskImage = mask.h;
        int mode = rng() % 4;
        int xSrc = 1 + rng() % 9, ySrc = 1 + rng() % 9, xDst = 1 + rng() % 9, yDst = 1 + rng() % 9;
        if (mode == IMP_INTER_SUPER) {
            xDst = std::min(xDst, xSrc);
            yDst = std::min(yDst, ySrc);
        }
        impSetStatus(0);
        impResize(src.h, dst.h, xDst, xSrc, yDst, ySrc, mode);
        EXPECT_GE(impGetStatus(), 0) << round;
        if (xDst <= xSrc && yDst <= ySrc && !src.h->maskImage && !dst.h->maskImage) {
            impSetStatus(0);
            impDecimate(src.h, dst.h, xDst, xSrc, yDst, ySrc, rng() % 4);
            EXPECT_GE(impGetStatus(), 0) << round;
        }
        src.h->maskImage = dst.h->maskImage = nullptr;
    }
}

// The same with tiled sources and destinations, compared against plain images where the walks must agree.
TEST(ImpStress, TiledResizeAndDecimateRandomShapes)
{
    ImpModeGuard g;
    std::mt19937 rng(77);
    int depths[] = {1, 8, 16};
    for (int round = 0; round < 300; ++round) {
        int depth = depths[rng() % 3];
        int channels = depth == 1 ? 1 : 1 + rng() % 3;
        int order = depth == 1 ? 0 : rng() % 2;
        int tile = 8 * (1 + rng() % 3);
        TiledImage ts(channels, depth, 1 + rng() % 40, 1 + rng() % 30, tile, 8 * (1 + rng() % 2), order);
        TiledImage td(channels, depth, 1 + rng() % 40, 1 + rng() % 30, 8 * (1 + rng() % 2), tile, order);
        Image plainSrc(channels, depth, order, ts.h->width, ts.h->height);
        bool tiledSrc = rng() % 2, tiledDst = !tiledSrc || rng() % 2;
        ImpHeader* src = tiledSrc ? ts.h : plainSrc.h;
        Image plainDst(channels, depth, order, td.h->width, td.h->height);
        ImpHeader* dst = tiledDst ? td.h : plainDst.h;
        ImpRoiRecord rs{0, (int)(rng() % src->width), (int)(rng() % src->height), 1 + (int)(rng() % 40),
                        1 + (int)(rng() % 30)};
        ImpRoiRecord rd{0, (int)(rng() % dst->width), (int)(rng() % dst->height), 1 + (int)(rng() % 40),
                        1 + (int)(rng() % 30)};
        if (rng() % 2)
            src->roi = &rs;
        if (rng() % 2)
            dst->roi = &rd;
        int mode = rng() % 4;
        int xSrc = 1 + rng() % 6, ySrc = 1 + rng() % 6, xDst = 1 + rng() % 6, yDst = 1 + rng() % 6;
        if (mode == IMP_INTER_SUPER) {
            xDst = std::min(xDst, xSrc);
            yDst = std::min(yDst, ySrc);
        }
        impSetStatus(0);
        impResize(src, dst, xDst, xSrc, yDst, ySrc, mode);
        EXPECT_GE(impGetStatus(), 0) << round;
        if (xDst <= xSrc && yDst <= ySrc) {
            impSetStatus(0);
            impDecimate(src, dst, xDst, xSrc, yDst, ySrc, rng() % 4);
            EXPECT_GE(impGetStatus(), 0) << round;
        }
        src->roi = dst->roi = nullptr;
        EXPECT_EQ(ts.fetched, ts.released);
        EXPECT_EQ(td.fetched, td.released);
    }
}
