// Shuffled bilinear passes and whole 8-bit bilinear resizes against a plain model of the arithmetic.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "imp/impgeom.h"
#include "imp/impzoom_kernels.h"
#include "imp_test_util.h"

namespace {

int floorEps(double v) { return (int)std::nearbyint(v + 0.00001 - 0.5); }

// Column offsets and weights of a zoom across `width` destination columns with the given step, or random ones.
struct Columns {
    std::vector<int32_t> offsets;
    std::vector<int16_t> weights;
    Columns(std::mt19937& rng, int width, int srcWidth, int srcChannels, double step)
    {
        double v = 0;
        for (int j = 0; j < width; ++j, v += step) {
            int i = std::clamp(step > 0 ? floorEps(v) : (int)(rng() % srcWidth), 0, srcWidth - 1);
            int w1 = i == srcWidth - 1 ? 16384 : std::clamp(floorEps((v - i) * 16384), 0, 16384);
            if (step <= 0)
                w1 = rng() % 5 == 0 ? (int)(rng() % 2) * 16384 : (int)(rng() % 16385);
            if (i == srcWidth - 1)
                --i;
            offsets.push_back(i * srcChannels);
            weights.push_back((int16_t)(16384 - w1));
            weights.push_back((int16_t)w1);
        }
    }
};

std::vector<uint8_t> randomBytes(std::mt19937& rng, size_t n)
{
    std::vector<uint8_t> v(n);
    for (auto& b : v)
        b = (uint8_t)rng();
    return v;
}

}  // namespace

TEST(ImpLinearFast, ShuffledRowPassMatchesPlain)
{
    if (!__builtin_cpu_supports("ssse3"))
        GTEST_SKIP() << "no byte shuffles on this processor";
    std::mt19937 rng(31);
    const double steps[] = {2.0, 1919.0 / 959, 1.5, 0.37, 1.0, 3.1, 4.5, 0.0};
    for (int round = 0; round < 400; ++round) {
        int srcCh = 1 + rng() % 4, channels = 1 + rng() % srcCh;
        int srcW = 2 + rng() % 200, width = 1 + rng() % 120;
        double step = steps[rng() % 8];
        Columns cols(rng, width, srcW, srcCh, step);
        int64_t rowBytes = (int64_t)srcW * srcCh + rng() % 3;  // rows that end right after the last pixel, or nearly
        auto src = randomBytes(rng, rowBytes);
        ImpLinearShufflePlan plan;
        if (!plan.build(rowBytes, width, channels, srcCh, cols.offsets.data(), cols.weights.data())) {
            ASSERT_LT(width * channels, 8) << "a plan is built wherever the processor has byte shuffles";
            continue;
        }
        std::vector<int16_t> fast(width * channels + 8, -1), plain(width * channels + 8, -1);
        impZoomLinearH8uShuffle(src.data(), plan, width, channels, srcCh, cols.offsets.data(), cols.weights.data(),
                                fast.data());
        impZoomLinearH8uPixelRef(src.data(), width, channels, srcCh, cols.offsets.data(), cols.weights.data(),
                                 plain.data());
        ASSERT_EQ(fast, plain) << "round " << round;
    }
}

TEST(ImpLinearFast, BlendedRowMatchesPlainPasses)
{
    if (!__builtin_cpu_supports("ssse3"))
        GTEST_SKIP() << "no byte shuffles on this processor";
    std::mt19937 rng(37);
    const double steps[] = {2.0, 1919.0 / 959, 1.5, 0.61, 1.0, 2.7, 0.0};
    const int rowWeights[] = {0, 1, 8191, 8192, 16383, 16384};
    for (int round = 0; round < 400; ++round) {
        int srcCh = 1 + rng() % 4, channels = srcCh == 1 || rng() % 3 ? srcCh : srcCh - 1;
        int srcW = 2 + rng() % 160, width = 1 + rng() % 130;
        Columns cols(rng, width, srcW, srcCh, steps[rng() % 7]);
        int64_t rowBytes = (int64_t)srcW * srcCh;
        auto upper = randomBytes(rng, rowBytes), lower = randomBytes(rng, rowBytes);
        ImpLinearShufflePlan plan;
        if (!plan.build(rowBytes, width, channels, srcCh, cols.offsets.data(), cols.weights.data()))
            continue;
        int count = width * channels;
        int w1 = rng() % 2 ? rowWeights[rng() % 6] : (int)(rng() % 16385);
        bool upperKept = rng() % 2, keep = rng() % 2;
        std::vector<int16_t> hu(count + 8), hl(count + 8);
        impZoomLinearH8uPixelRef(upper.data(), width, channels, srcCh, cols.offsets.data(), cols.weights.data(),
                                 hu.data());
        impZoomLinearH8uPixelRef(lower.data(), width, channels, srcCh, cols.offsets.data(), cols.weights.data(),
                                 hl.data());
        std::vector<uint8_t> want(count + 8, 0xCD), got(count + 8, 0xCD);
        impZoomLinearV8uRef(want.data(), count, w1, hu.data(), hl.data());
        std::vector<int16_t> up(count + 8, -7), lo(count + 8, -7);
        if (upperKept)
            std::copy(hu.begin(), hu.end(), up.begin());
        impZoomLinear8uShuffleRow(got.data(), upper.data(), lower.data(), w1, plan, width, channels, srcCh,
                                  cols.offsets.data(), cols.weights.data(), up.data(), lo.data(), upperKept, keep,
                                  rowBytes);
        ASSERT_EQ(got, want) << "round " << round << " w1 " << w1;
        if (keep) {
            ASSERT_TRUE(std::equal(up.begin(), up.begin() + count, hu.begin())) << round;
            ASSERT_TRUE(std::equal(lo.begin(), lo.begin() + count, hl.begin())) << round;
        }
    }
}

TEST(ImpLinearFast, VerticalPassAtEdgeWeights)
{
    std::mt19937 rng(41);
    const int count = 77;
    std::vector<int16_t> up(count), lo(count);
    for (int w1 : {0, 1, 2, 8191, 8192, 8193, 16382, 16383, 16384}) {
        for (int i = 0; i < count; ++i) {
            up[i] = (int16_t)(i % 3 == 0 ? 16320 : rng() % 16321);
            lo[i] = (int16_t)(i % 5 == 0 ? 0 : rng() % 16321);
        }
        std::vector<uint8_t> a(count), b(count);
        impZoomLinearV8u(a.data(), count, w1, up.data(), lo.data());
        impZoomLinearV8uRef(b.data(), count, w1, up.data(), lo.data());
        ASSERT_EQ(a, b) << w1;
    }
}

namespace {

// The bilinear resize of an untiled, unmasked 8-bit image worked out value by value.
struct Axis {
    std::vector<int> index, w1;
    Axis(int n, double step, int last, int offset)
    {
        double v = 0;
        for (int j = 0; j < n; ++j, v += step) {
            int i = std::clamp(floorEps(v), 0, std::max(0, last));
            if (i == last && offset + i > 0) {
                index.push_back(i - 1);
                w1.push_back(16384);
            } else if (i == last) {
                index.push_back(i);
                w1.push_back(0);
            } else {
                index.push_back(i);
                w1.push_back(std::clamp(floorEps((v - i) * 16384), 0, 16384));
            }
        }
    }
};

struct Region {
    int offX, offY, width, height, first, count;
    explicit Region(const ImpHeader* h)
    {
        const ImpRoiRecord* r = h->roi;
        offX = r ? r->offsetX : 0;
        offY = r ? r->offsetY : 0;
        width = r ? std::min(r->width, h->width - offX) : h->width;
        height = r ? std::min(r->height, h->height - offY) : h->height;
        first = r && r->coi ? r->coi - 1 : 0;
        count = r && r->coi ? 1 : h->channels - (h->alphaIndex ? 1 : 0);
    }
};

uint8_t* sampleAt(const ImpHeader* h, int x, int y, int c)
{
    if (h->dataOrder == 1)
        return (uint8_t*)h->imageData + (int64_t)c * h->widthStep * h->height + y * h->widthStep + x;
    return (uint8_t*)h->imageData + y * h->widthStep + x * h->channels + c;
}

void modelResize(const ImpHeader* src, ImpHeader* dst, int xDst, int xSrc, int yDst, int ySrc)
{
    Region s(src), d(dst);
    double xRatio = (double)xSrc / xDst, yRatio = (double)ySrc / yDst;
    int extW = src->roi ? src->roi->width : src->width, extH = src->roi ? src->roi->height : src->height;
    double realW = xDst * ((double)extW / xSrc), realH = yDst * ((double)extH / ySrc);
    double xStep = xRatio == 1.0 ? 1.0 : realW > 1.0 ? (extW - 1) / (realW - 1) : 0.0;
    double yStep = yRatio == 1.0 ? 1.0 : realH > 1.0 ? (extH - 1) / (realH - 1) : 0.0;
    int dw = std::max(1, std::min(d.width, floorEps(s.width / xRatio)));
    int dh = std::max(1, std::min(d.height, floorEps(s.height / yRatio)));
    Axis cols(dw, xStep, src->width - s.offX - 1, s.offX), rows(dh, yStep, src->height - s.offY - 1, s.offY);
    for (int k = 0; k < dh; ++k)
        for (int j = 0; j < dw; ++j)
            for (int n = 0; n < s.count; ++n) {
                int x = s.offX + cols.index[j], wx = cols.w1[j];
                auto across = [&](int y) {
                    int c = s.first + n;
                    return (*sampleAt(src, x, y, c) * (16384 - wx) + *sampleAt(src, x + 1, y, c) * wx) >> 8;
                };
                int y = s.offY + rows.index[k], wy = rows.w1[k];
                *sampleAt(dst, d.offX + j, d.offY + k, d.first + n) =
                    (uint8_t)((across(y) * (16384 - wy) + across(y + 1) * wy) >> 20);
            }
}

struct Picture {
    ImpHeader* h;
    ImpRoiRecord roi{};
    Picture(int channels, int alpha, int order, int width, int height, std::mt19937& rng)
    {
        h = impCreateImageHeader(channels, alpha, 8, "RGBA", "BGRA", order, 0, 4, width, height, nullptr, nullptr,
                                 nullptr, nullptr);
        impAllocateImage(h, 0, 0);
        for (int i = 0; i < h->imageSize; ++i)
            h->imageData[i] = (char)rng();
    }
    Picture(const Picture&) = delete;
    ~Picture()
    {
        h->roi = nullptr;
        impReleaseImageParts(h, 31);
    }
    void setRoi(std::mt19937& rng, int coi)
    {
        roi = ImpRoiRecord{coi, (int)(rng() % (h->width / 3 + 1)), (int)(rng() % (h->height / 3 + 1)),
                           1 + h->width / 2 + (int)(rng() % h->width), 1 + h->height / 2 + (int)(rng() % h->height)};
        h->roi = &roi;
    }
};

}  // namespace

TEST(ImpLinearFast, ResizeMatchesModel)
{
    ImpModeGuard guard;
    std::mt19937 rng(43);
    struct Shape {
        int channels, alpha, order;
        bool coi;
    } shapes[] = {
        {3, 0, 0, false}, {1, 0, 0, false}, {4, 0, 0, false}, {4, 4, 0, false},
        {3, 0, 0, true},  {4, 0, 0, true},  {3, 0, 1, false}, {2, 0, 0, false},
    };
    for (int round = 0; round < 160; ++round) {
        const Shape& sh = shapes[round % 8];
        int srcW = 3 + rng() % 150, srcH = 2 + rng() % 12;
        // Exact halves and two thirds (fixed shuffle patterns), enlargements and odd ratios.
        int kind = rng() % 4;
        int dstW = kind == 0 ? srcW / 2 + 1 : kind == 1 ? srcW * 2 / 3 + 1 : kind == 2 ? srcW * 2 : 1 + rng() % 200;
        int dstH = 1 + rng() % 14;
        Picture src(sh.channels, sh.alpha, sh.order, srcW, srcH, rng),
            dst(sh.channels, sh.alpha, sh.order, dstW, dstH, rng),
            want(sh.channels, sh.alpha, sh.order, dstW, dstH, rng);
        std::copy(dst.h->imageData, dst.h->imageData + dst.h->imageSize, want.h->imageData);
        int coi = sh.coi ? 1 + rng() % sh.channels : 0;
        if (coi || rng() % 2) {
            src.setRoi(rng, coi);
            dst.setRoi(rng, coi);
            want.roi = dst.roi;
            want.h->roi = &want.roi;
        }
        int xSrc = src.h->roi ? src.h->roi->width : srcW, ySrc = src.h->roi ? src.h->roi->height : srcH;
        int xDst = kind == 0 ? xSrc / 2 + 1 : kind == 3 ? 1 + rng() % 200 : dst.h->roi ? dst.h->roi->width : dstW;
        int yDst = 1 + rng() % 14;
        impSetStatus(0);
        impResize(src.h, dst.h, xDst, xSrc, yDst, ySrc, IMP_INTER_LINEAR);
        ASSERT_EQ(impGetStatus(), 0) << round;
        modelResize(src.h, want.h, xDst, xSrc, yDst, ySrc);
        ASSERT_TRUE(std::equal(dst.h->imageData, dst.h->imageData + dst.h->imageSize, want.h->imageData))
            << "round " << round << " channels " << sh.channels << " " << srcW << "x" << srcH << " -> " << dstW << "x"
            << dstH;
    }
}

TEST(ImpLinearFast, FullFrameHalvedMatchesModel)
{
    ImpModeGuard guard;
    std::mt19937 rng(47);
    Picture src(3, 0, 0, 640, 24, rng), dst(3, 0, 0, 320, 12, rng), want(3, 0, 0, 320, 12, rng);
    std::copy(dst.h->imageData, dst.h->imageData + dst.h->imageSize, want.h->imageData);
    impResize(src.h, dst.h, 320, 640, 12, 24, IMP_INTER_LINEAR);
    ASSERT_EQ(impGetStatus(), 0);
    modelResize(src.h, want.h, 320, 640, 12, 24);
    EXPECT_TRUE(std::equal(dst.h->imageData, dst.h->imageData + dst.h->imageSize, want.h->imageData));
}
