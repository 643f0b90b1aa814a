// impBlur against the exact box average: depths, layouts, regions, channels, masks, tiles and in-place calls.
#include <gtest/gtest.h>

#include <string>

#include "imp/impblur.h"
#include "imp/imperror.h"
#include "imp_filter_reference.h"
#include "imp_test_util.h"
#include "imp_tiled_image.h"

namespace {

// Expects the region's reference averages and every other element unchanged.
void expectBlur(const AnyImage& src, const std::vector<char>& before, const AnyImage& dst, int cols, int rows, int ax,
                int ay, const std::string& what)
{
    const ImpHeader* s = src.h;
    const ImpHeader* d = dst.h;
    int sx = s->roi ? s->roi->offsetX : 0, sy = s->roi ? s->roi->offsetY : 0;
    int dx = d->roi ? d->roi->offsetX : 0, dy = d->roi ? d->roi->offsetY : 0;
    int w = std::min(s->roi ? std::min(s->roi->width, s->width - sx) : s->width,
                     d->roi ? std::min(d->roi->width, d->width - dx) : d->width);
    int h = std::min(s->roi ? std::min(s->roi->height, s->height - sy) : s->height,
                     d->roi ? std::min(d->roi->height, d->height - dy) : d->height);
    int scoi = s->roi ? s->roi->coi : 0, dcoi = d->roi ? d->roi->coi : 0;
    int n = scoi ? 1 : s->channels - (s->alphaIndex ? 1 : 0);
    AnyImage old(d->channels, d->alphaIndex, d->depth, d->width, d->height, d->dataOrder);
    memcpy(old.h->imageData, before.data(), before.size());
    for (int y = 0; y < d->height; ++y)
        for (int x = 0; x < d->width; ++x)
            for (int c = 0; c < d->channels; ++c) {
                int i = x - dx, j = y - dy, k = c - (dcoi ? dcoi - 1 : 0);
                bool inside = i >= 0 && j >= 0 && i < w && j < h && k >= 0 && k < n;
                int64_t want = inside ? referenceBlur(src, sx + i, sy + j, scoi ? scoi - 1 : k, cols, rows, ax, ay)
                                      : old.get(x, y, c);
                if (dst.get(x, y, c) != want) {
                    ADD_FAILURE() << what << " at " << x << "," << y << "," << c << ": " << dst.get(x, y, c) << " want "
                                  << want;
                    return;
                }
            }
}

TEST(ImpBlur, FlatImagesKeepTheirValueAndEdgesAverageTheZeroBorder)
{
    ImpModeGuard mode;
    AnyImage src(1, 0, IMP_DEPTH_8U, 9, 7), dst(1, 0, IMP_DEPTH_8U, 9, 7);
    memset(src.h->imageData, 200, src.h->imageSize);
    src.roi(0, 2, 2, 5, 3);
    impBlur(src.h, dst.h, 5, 5, 2, 2);
    EXPECT_EQ(dst.get(0, 0), 200);
    impReleaseImageParts(src.h, IMP_RELEASE_ROI);
    src.h->roi = nullptr;
    memset(src.h->imageData, 90, src.h->imageSize);
    impBlur(src.h, dst.h, 3, 3, 1, 1);
    EXPECT_EQ(dst.get(4, 3), 90);
    EXPECT_EQ(dst.get(4, 0), 60);
    EXPECT_EQ(dst.get(0, 0), 40);
    EXPECT_EQ(impGetStatus(), 0);
}

TEST(ImpBlur, RefusesBadArgumentsAndIgnoresAnEmptyRegion)
{
    ImpModeGuard mode;
    AnyImage a(1, 0, IMP_DEPTH_8U, 8, 8), b(1, 0, IMP_DEPTH_8U, 8, 8), plane(3, 0, IMP_DEPTH_8U, 8, 8, 1);
    AnyImage b16(1, 0, IMP_DEPTH_16U, 8, 8), alpha(1, 1, IMP_DEPTH_8U, 8, 8), three(3, 0, IMP_DEPTH_8U, 8, 8);
    struct Case {
        ImpHeader *s, *d;
        int cols, rows, ax, ay;
        int32_t status;
    } cases[] = {{a.h, b16.h, 3, 3, 1, 1, -5},   {three.h, plane.h, 3, 3, 1, 1, -5}, {a.h, b.h, -1, 3, 0, 1, -5},
                 {a.h, b.h, 3, 3, -1, 1, -5},    {a.h, b.h, 0, 3, 0, 1, -5},         {alpha.h, b.h, 3, 3, 1, 1, -18},
                 {three.h, b.h, 3, 3, 1, 1, -15}};
    for (const Case& c : cases) {
        impSetStatus(0);
        impBlur(c.s, c.d, c.cols, c.rows, c.ax, c.ay);
        EXPECT_EQ(impGetStatus(), c.status);
    }
    impSetStatus(0);
    a.roi(0, 10, 2, 4, 4);  // starts past the right edge: a region of negative width, nothing to do
    b.h->imageData[0] = 5;
    impBlur(a.h, b.h, 3, 3, 1, 1);
    EXPECT_EQ(impGetStatus(), 0);
    EXPECT_EQ(b.h->imageData[0], 5);
}

// Every depth, both data orders, one and three channels, regions and anchors off centre.
TEST(ImpBlur, MatchesTheExactAverageAcrossDepthsAndLayouts)
{
    ImpModeGuard mode;
    std::mt19937 rng(2);
    const int32_t depths[] = {IMP_DEPTH_1U,  IMP_DEPTH_8U,  IMP_DEPTH_8S, IMP_DEPTH_16U,
                              IMP_DEPTH_16S, IMP_DEPTH_32S, IMP_DEPTH_32F};
    struct Window {
        int cols, rows, ax, ay;
    } windows[] = {{3, 3, 1, 1}, {5, 5, 2, 2}, {4, 2, 0, 1}, {11, 3, 9, 0}};
    for (int32_t depth : depths)
        for (int channels : {1, 3})
            for (int order : {0, 1})
                for (const Window& win : windows)
                    for (bool regions : {false, true}) {
                        if (depth == IMP_DEPTH_1U && (channels != 1 || order != 0))
                            continue;
                        int64_t lo, hi;
                        sampleRange(depth, &lo, &hi);
                        if (depth == IMP_DEPTH_32F)
                            lo = -1000, hi = 1000;
                        AnyImage src(channels, 0, depth, 19, 13, order), dst(channels, 0, depth, 17, 12, order);
                        src.randomize(rng, lo, hi);
                        dst.randomize(rng, lo, hi);
                        if (regions)
                            src.roi(0, 3, 2, 14, 30), dst.roi(0, 1, 3, 12, 8);
                        std::vector<char> before = dst.bytes();
                        impBlur(src.h, dst.h, win.cols, win.rows, win.ax, win.ay);
                        ASSERT_EQ(impGetStatus(), 0);
                        expectBlur(src, before, dst, win.cols, win.rows, win.ax, win.ay,
                                   "depth " + std::to_string(depth) + " channels " + std::to_string(channels) +
                                       " order " + std::to_string(order) + " window " + std::to_string(win.cols));
                    }
}

// Orders that differ are accepted where the layouts agree (one channel, 1-bit), also by a 1 x 1 window (a copy).
TEST(ImpBlur, DataOrderDifferenceWhereTheResultIsDefined)
{
    ImpModeGuard mode;
    std::mt19937 rng(3);
    struct Case {
        int channels;
        int32_t depth;
        int srcOrder, cols, rows, ax, ay;
    } cases[] = {{1, IMP_DEPTH_8U, 0, 3, 3, 1, 1},
                 {1, IMP_DEPTH_16S, 1, 5, 4, 2, 3},
                 {1, IMP_DEPTH_1U, 0, 3, 3, 1, 1},
                 {1, IMP_DEPTH_32F, 0, 1, 1, 0, 0},
                 {1, IMP_DEPTH_1U, 1, 1, 1, 0, 0}};
    for (const Case& c : cases) {
        int64_t lo, hi;
        sampleRange(c.depth, &lo, &hi);
        AnyImage src(c.channels, 0, c.depth, 13, 9, c.srcOrder), dst(c.channels, 0, c.depth, 11, 10, 1 - c.srcOrder);
        src.randomize(rng, lo, hi);
        dst.randomize(rng, lo, hi);
        std::vector<char> before = dst.bytes();
        impBlur(src.h, dst.h, c.cols, c.rows, c.ax, c.ay);
        ASSERT_EQ(impGetStatus(), 0) << "depth " << c.depth << " channels " << c.channels;
        expectBlur(src, before, dst, c.cols, c.rows, c.ax, c.ay, "depth " + std::to_string(c.depth));
    }
}

TEST(ImpBlur, LargeSignedSumsDoNotOverflow)
{
    ImpModeGuard mode;
    AnyImage src(1, 0, IMP_DEPTH_32S, 6, 6), dst(1, 0, IMP_DEPTH_32S, 6, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            src.set(x, y, 0, 2000000000 - x);
    impSetImageBorder(src.h, ImpBorderRepeat, 15, 0);
    impBlur(src.h, dst.h, 3, 3, 1, 1);
    EXPECT_EQ(dst.get(2, 2), 1999999998);
    EXPECT_EQ(dst.get(0, 0), 1999999999);  // (2e9 * 6 + 2e9 - 1 ... ) / 9 truncated
}

TEST(ImpBlur, ChannelOfInterestAlphaAndMasks)
{
    ImpModeGuard mode;
    std::mt19937 rng(4);
    AnyImage src(3, 0, IMP_DEPTH_8U, 12, 9), one(1, 0, IMP_DEPTH_8U, 12, 9);
    src.randomize(rng, 0, 255);
    src.roi(2, 0, 0, 12, 9);
    std::vector<char> before = one.bytes();
    impBlur(src.h, one.h, 3, 3, 1, 1);
    expectBlur(src, before, one, 3, 3, 1, 1, "coi");
    AnyImage rgb(3, 0, IMP_DEPTH_8U, 12, 9), rgba(4, 4, IMP_DEPTH_8U, 12, 9);
    rgb.randomize(rng, 0, 255);
    rgba.randomize(rng, 0, 255);
    before = rgba.bytes();
    impBlur(rgb.h, rgba.h, 5, 3, 2, 1);
    expectBlur(rgb, before, rgba, 5, 3, 2, 1, "alpha");
    AnyImage m1(1, 0, IMP_DEPTH_1U, 12, 9), m2(1, 0, IMP_DEPTH_1U, 12, 9), plain(3, 0, IMP_DEPTH_8U, 12, 9);
    AnyImage masked(3, 0, IMP_DEPTH_8U, 12, 9);
    m1.randomize(rng, 0, 1);
    m2.randomize(rng, 0, 1);
    masked.randomize(rng, 0, 255);
    before = masked.bytes();
    impBlur(rgb.h, plain.h, 3, 3, 1, 1);
    rgb.h->maskImage = m1.h;
    masked.h->maskImage = m2.h;
    impBlur(rgb.h, masked.h, 3, 3, 1, 1);
    rgb.h->maskImage = masked.h->maskImage = nullptr;
    AnyImage old(3, 0, IMP_DEPTH_8U, 12, 9);
    memcpy(old.h->imageData, before.data(), before.size());
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(masked.get(x, y, c), m1.get(x, y) && m2.get(x, y) ? plain.get(x, y, c) : old.get(x, y, c));
    EXPECT_EQ(impGetStatus(), 0);
}

// Tiled destinations, tiled sources and one tiled image in place, with an anchor wider than a tile and 32F data.
TEST(ImpBlur, TiledAndInPlaceCallsEqualTheSeparateCall)
{
    ImpModeGuard mode;
    std::mt19937 rng(6);
    for (int32_t depth : {IMP_DEPTH_8U, IMP_DEPTH_32F}) {
        AnyImage src(3, 0, depth, 37, 21), want(3, 0, depth, 37, 21);
        src.randomize(rng, 0, 255);
        memcpy(want.h->imageData, src.h->imageData, src.h->imageSize);
        std::vector<char> original = src.bytes();
        src.roi(0, 1, 2, 33, 17);
        want.roi(0, 1, 2, 33, 17);
        impBlur(src.h, want.h, 13, 11, 10, 9);  // the anchor reaches past an 8-wide tile
        impBlur(src.h, src.h, 13, 11, 10, 9);
        EXPECT_EQ(src.bytes(), want.bytes());
        memcpy(src.h->imageData, original.data(), original.size());
        // Untiled into tiled, tiled into tiled, tiled into untiled, one tiled image in place.
        for (int path = 0; path < 4; ++path) {
            TiledImage ts(3, depth, 37, 21, 8, 8), td(3, depth, 37, 21, 8, 8);
            AnyImage plain(3, 0, depth, 37, 21);
            for (TiledImage* t : {&ts, &td})  // the allocator gives no float pixels
                if (!t->backing.h->imageData)
                    t->backing.h->rawData = t->backing.h->imageData = (char*)calloc((size_t)t->backing.h->imageSize, 1);
            impSetStatus(0);
            for (ImpHeader* h : {ts.backing.h, td.backing.h, plain.h})
                memcpy(h->imageData, original.data(), original.size());
            ts.h->roi = impAllocateRoi(0, 1, 2, 33, 17);
            td.h->roi = impAllocateRoi(0, 1, 2, 33, 17);
            plain.roi(0, 1, 2, 33, 17);
            ImpHeader* s = path == 0 ? src.h : path == 3 ? td.h : ts.h;
            ImpHeader* d = path == 2 ? plain.h : td.h;
            impBlur(s, d, 13, 11, 10, 9);
            ASSERT_EQ(impGetStatus(), 0) << depth << " path " << path;
            const ImpHeader* out = path == 2 ? plain.h : td.backing.h;
            EXPECT_EQ(std::vector<char>(out->imageData, out->imageData + out->imageSize), want.bytes()) << path;
            EXPECT_EQ(td.fetched, td.released);
        }
    }
}

// A destination tile that cannot be had ends the call as a failure; every tile obtained is released.
TEST(ImpBlur, UnavailableTileIsReported)
{
    ImpModeGuard mode;
    AnyImage src(1, 0, IMP_DEPTH_8U, 24, 16);
    TiledImage dst(1, IMP_DEPTH_8U, 24, 16, 8, 8);
    dst.failAfter = 2;
    impBlur(src.h, dst.h, 3, 3, 1, 1);
    EXPECT_EQ(impGetStatus(), IMP_StsNoMem);
    EXPECT_EQ(dst.fetched, 2);
    EXPECT_EQ(dst.released, 2);
}

}  // namespace
