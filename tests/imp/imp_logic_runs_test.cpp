// impAnd, impOr and impXorS over rows that span many vectors, whole images and regions, separate and in place,
// against a per-element reference.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "imp/implogic.h"
#include "imp_test_util.h"

namespace {

enum Op { And, Or, Xor };

ImpHeader* makeImage(int32_t channels, int32_t depth, int32_t width, int32_t height, unsigned seed)
{
    ImpHeader* h = impCreateImageHeader(channels, 0, depth, "RGB", "BGR", 0, 0, 4, width, height, nullptr, nullptr,
                                        nullptr, nullptr);
    impAllocateImage(h, 0, 0);
    randomFill(h, seed);
    return h;
}

uint32_t element(const ImpHeader* h, int32_t x, int32_t y, int32_t k)
{
    const char* p = impPixelPtr(h, x, y, k);
    int32_t bytes = impDepthBits(h->depth) / 8;
    uint32_t v = 0;
    memcpy(&v, p, bytes);
    return v;
}

}  // namespace

TEST(ImpLogicRuns, EveryElementOfLongRowsAndRegions)
{
    ImpModeGuard g;
    const int32_t value = (int32_t)0xC35A9617;
    for (Op op : {And, Or, Xor})
        for (int32_t depth : {8, 16, (int32_t)IMP_DEPTH_32S})
            for (int32_t channels : {1, 3})
                for (int32_t width : {1, 7, 45, 133})
                    for (bool region : {false, true})
                        for (bool inPlace : {false, true}) {
                            // A region starts 3 pixels and 1 row in, so its rows start off any vector boundary.
                            int32_t iw = region ? width + 5 : width, ih = region ? 4 : 3;
                            ImpHeader *a = makeImage(channels, depth, iw, ih, 1),
                                      *b = makeImage(channels, depth, iw, ih, 2),
                                      *d = inPlace ? a : makeImage(channels, depth, iw, ih, 3);
                            ImpHeader* before = makeImage(channels, depth, iw, ih, 0);
                            ImpHeader* source = makeImage(channels, depth, iw, ih, 0);
                            memcpy(before->imageData, d->imageData, d->imageSize);
                            memcpy(source->imageData, a->imageData, a->imageSize);
                            if (region) {
                                a->roi = impAllocateRoi(0, 3, 1, width, 2);
                                b->roi = impAllocateRoi(0, 3, 1, width, 2);
                                if (!inPlace)
                                    d->roi = impAllocateRoi(0, 3, 1, width, 2);
                            }
                            if (op == And)
                                impAnd(a, b, d);
                            else if (op == Or)
                                impOr(a, b, d);
                            else
                                impXorS(a, d, value);
                            ASSERT_EQ(impGetStatus(), 0);
                            uint32_t ones = impDepthBits(depth) == 32 ? 0xFFFFFFFFu : (1u << impDepthBits(depth)) - 1;
                            for (int32_t y = 0; y < ih; ++y)
                                for (int32_t x = 0; x < iw; ++x)
                                    for (int32_t k = 0; k < channels; ++k) {
                                        bool inside = !region || (x >= 3 && x < 3 + width && y >= 1 && y < 3);
                                        uint32_t va = element(source, x, y, k), vb = element(b, x, y, k);
                                        uint32_t want = !inside     ? element(before, x, y, k)
                                                        : op == And ? va & vb
                                                        : op == Or  ? va | vb
                                                                    : va ^ ((uint32_t)value & ones);
                                        ASSERT_EQ(element(d, x, y, k), want)
                                            << "op " << op << " depth " << impDepthBits(depth) << " channels "
                                            << channels << " width " << width << " region " << region << " in place "
                                            << inPlace << " at " << x << "," << y << "," << k;
                                    }
                            for (ImpHeader* h : {a, b, before, source})
                                impReleaseImageParts(h, 31);
                            if (!inPlace)
                                impReleaseImageParts(d, 31);
                        }
}
