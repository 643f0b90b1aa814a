// impAnd, impOr and impXorS on 1-bit, 8-bit and 16-bit images with regions, channels and masks.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "imp/implogic.h"
#include "imp/impsce.h"
#include "imp_test_util.h"

TEST(ImpLogic, AndOrEightAndSixteenBit)
{
    ImpModeGuard g;
    struct Case {
        int depth;
        int a, b, andWant, orWant;
    } cases[] = {
        {8, 0xF0, 0x3C, 0x30, 0xFC},
        {16, 0xF0F0, 0x0FF0, 0x00F0, 0xFFF0},
        {IMP_DEPTH_8S, 0x81, 0x01, 0x01, 0x81},
    };
    for (const Case& c : cases) {
        TestImage a(1, c.depth, 5, 3, 0, c.a), b(1, c.depth, 5, 3, 0, c.b), d(1, c.depth, 5, 3, 0, 0);
        int bytes = impDepthBits(c.depth) / 8;
        auto value = [&](TestImage& im) { return bytes == 1 ? (int)im.at8(4, 2) : (int)im.at16(4, 2); };
        impAnd(a.h, b.h, d.h);
        EXPECT_EQ(value(d), c.andWant);
        impOr(a.h, b.h, d.h);
        EXPECT_EQ(value(d), c.orWant);
    }
}

TEST(ImpLogic, ChannelOfInterestAndAlpha)
{
    ImpModeGuard g;
    TestImage a(3, 8, 4, 2, 0, 0), b(1, 8, 4, 2, 0, 0xFF), d(1, 8, 4, 2, 0, 0);
    a.at8(1, 1, 1) = 0x5A;
    a.roi(2, 0, 0, 4, 2);
    impAnd(a.h, b.h, d.h);
    EXPECT_EQ(d.at8(1, 1), 0x5A);
    TestImage d3(3, 8, 4, 2);
    impAnd(a.h, b.h, d3.h);
    EXPECT_EQ(impGetStatus(), -5);
    impSetStatus(0);
    ImpHeader* x = impCreateImageHeader(4, 4, 8, "RGBA", "BGRA", 0, 0, 4, 2, 2, nullptr, nullptr, nullptr, nullptr);
    impAllocateImage(x, 1, 0x0F);
    impXorS(x, x, 0xFF);
    EXPECT_EQ((uint8_t)x->imageData[0], 0xF0);
    EXPECT_EQ((uint8_t)x->imageData[3], 0x0F);
    impReleaseImageParts(x, 31);
}

TEST(ImpLogic, BitOffsetsKeepNeighbours)
{
    ImpModeGuard g;
    TestImage a(1, 1, 24, 1, 0, 1), b(1, 1, 24, 1, 0, 1), d(1, 1, 24, 1, 0, 0);
    a.setBit(3, 0, false);  // A bit 3 lands on destination bit 5
    a.roi(0, 3, 0, 12, 1);
    d.roi(0, 5, 0, 12, 1);
    impAnd(a.h, b.h, d.h);
    for (int x = 0; x < 24; ++x)
        EXPECT_EQ(d.bit(x, 0), x >= 6 && x <= 16) << x;
}

TEST(ImpLogic, MaskSelectsPixels)
{
    ImpModeGuard g;
    TestImage a(1, 8, 4, 2, 0, 0xFF), b(1, 8, 4, 2, 0, 0x0F), d(1, 8, 4, 2, 0, 0x77), m(1, 1, 4, 2, 0, 0);
    m.setBit(2, 1, true);
    d.h->maskImage = m.h;
    impOr(a.h, b.h, d.h);
    d.h->maskImage = nullptr;
    EXPECT_EQ(d.at8(2, 1), 0xFF);
    EXPECT_EQ(d.at8(1, 1), 0x77);
}

TEST(ImpLogic, MaskOutsideItsImageWritesNothing)
{
    ImpModeGuard g;
    TestImage a(1, 8, 4, 2, 0, 0xFF), b(1, 8, 4, 2, 0, 0xFF), d(1, 8, 4, 2, 0, 1), m1(1, 1, 4, 2, 0, 1),
        m2(1, 1, 4, 2, 0, 1);
    m1.roi(0, 9, 0, 2, 2);
    a.h->maskImage = m1.h;
    d.h->maskImage = m2.h;
    impAnd(a.h, b.h, d.h);
    a.h->maskImage = d.h->maskImage = nullptr;
    EXPECT_EQ(impGetStatus(), 0);
    EXPECT_EQ(d.at8(0, 0), 1);
}

TEST(ImpLogic, XorConstantAndFloatRefused)
{
    ImpModeGuard g;
    TestImage s(1, 1, 16, 1, 0, 0), d(1, 1, 16, 1, 0, 0);
    s.setBit(6, 0, true);
    s.roi(0, 6, 0, 4, 1);
    d.roi(0, 1, 0, 4, 1);
    impXorS(s.h, d.h, 3);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(d.bit(x, 0), x >= 2 && x <= 4) << x;
    TestImage e(1, 16, 2, 1, 0, 0x0001);
    impXorS(e.h, e.h, 0x1FF);
    EXPECT_EQ(e.at16(1, 0), 0x01FE);
}

TEST(ImpCopySet, ChannelCopyClampAndMaskedBits)
{
    ImpModeGuard g;
    TestImage s(3, 8, 3, 2, 0, 0), d(1, 8, 3, 2, 0, 0);
    s.at8(2, 1, 1) = 42;
    s.roi(2, 0, 0, 3, 2);
    impCopy(s.h, d.h);
    EXPECT_EQ(d.at8(2, 1), 42);
    impSet(d.h, 300);
    EXPECT_EQ(d.at8(0, 0), 255);
    TestImage bits(1, 1, 8, 1, 0, 1), mask(1, 1, 8, 1, 0, 0);
    mask.setBit(3, 0, true);
    bits.h->maskImage = mask.h;
    impSet(bits.h, 0);
    bits.h->maskImage = nullptr;
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(bits.bit(x, 0), x != 3);
    EXPECT_TRUE(mask.bit(3, 0));
    EXPECT_FALSE(mask.bit(2, 0));
}

// Planar images without a region, where the flat whole-buffer loop does not apply (sizes differ, or alpha):
// every colour plane is processed and the alpha plane is left alone.
TEST(ImpLogic, PlanarWithoutRegionProcessesEveryPlane)
{
    ImpModeGuard g;
    enum { And, Or, Xor };
    for (int op : {And, Or, Xor})
        for (int depth : {8, 16})
            for (bool alpha : {false, true}) {
                int32_t channels = alpha ? 4 : 3, wd = alpha ? 6 : 5;
                auto make = [&](int32_t w, unsigned seed) {
                    ImpHeader* h = impCreateImageHeader(channels, alpha ? 4 : 0, depth, "RGB", "BGR", 1, 0, 4, w, 3,
                                                        nullptr, nullptr, nullptr, nullptr);
                    impAllocateImage(h, 0, 0);
                    randomFill(h, seed);
                    return h;
                };
                ImpHeader *a = make(7, 1), *b = make(6, 2), *d = make(wd, 3);
                std::vector<char> before(d->imageData, d->imageData + d->imageSize);
                if (op == And)
                    impAnd(a, b, d);
                else if (op == Or)
                    impOr(a, b, d);
                else
                    impXorS(a, d, 0x5AC3);
                ASSERT_EQ(impGetStatus(), 0);
                ImpHeader* old = make(wd, 3);
                std::copy(before.begin(), before.end(), old->imageData);
                int64_t ones = depth == 8 ? 0xFF : 0xFFFF;
                for (int k = 0; k < channels; ++k)
                    for (int y = 0; y < 3; ++y)
                        for (int x = 0; x < wd; ++x) {
                            int64_t want = sampleAt(old, x, y, k);
                            if (k < 3 && x < (op == Xor ? wd : 6)) {
                                int64_t va = sampleAt(a, x, y, k);
                                want = op == And  ? va & sampleAt(b, x, y, k)
                                       : op == Or ? va | sampleAt(b, x, y, k)
                                                  : va ^ (0x5AC3 & ones);
                            }
                            EXPECT_EQ(sampleAt(d, x, y, k), want) << "op " << op << " depth " << depth << " alpha "
                                                                  << alpha << " at " << x << "," << y << " plane " << k;
                        }
                for (ImpHeader* h : {a, b, d, old})
                    impReleaseImageParts(h, 31);
            }
}
