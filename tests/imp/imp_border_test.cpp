// Region sizes, pixel addresses and bordered blocks with each side rule.
#include <gtest/gtest.h>

#include "imp/impalloc.h"
#include "imp/ownrect.h"
#include "imp_test_util.h"

TEST(ImpRegion, PixelPtrAndClippedSize)
{
    ImpModeGuard g;
    TestImage px(3, 8, 5, 4), pl(3, 8, 5, 4, 1);
    EXPECT_EQ(impPixelPtr(px.h, 2, 1, 1) - px.h->imageData, 23);
    EXPECT_EQ(impPixelPtr(pl.h, 2, 1, 1) - pl.h->imageData, 8 + 2 + 32);
    TestImage im(1, 8, 6, 5);
    im.roi(0, -2, 3, 10, 4);
    int32_t h, w;
    ASSERT_EQ(impRoiSize(im.h, &h, &w, 1), 1);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(w, 6);
    impRoiSize(im.h, &h, &w, 0);
    EXPECT_EQ(h, 4);
    EXPECT_EQ(w, 10);
}

TEST(ImpBorder, LeftSideRules)
{
    ImpModeGuard g;
    struct Case {
        int kind;
        std::vector<int> want;
    } cases[] = {
        {2, {2, 1, 0}},
        {3, {5, 6, 7}},
        {1, {0, 0, 0}},
        {0, {9, 9, 9}},
    };
    for (const Case& c : cases) {
        TestImage im(1, 8, 8, 2);
        for (int x = 0; x < 8; ++x)
            im.at8(x, 0) = im.at8(x, 1) = (uint8_t)x;
        impSetImageBorder(im.h, c.kind, IMP_SIDE_LEFT, 9);
        int32_t step;
        char* block = impGetBorderedBlock(im.h, -3, 0, 3, 2, &step);
        ASSERT_NE(block, nullptr);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ((uint8_t)block[i], c.want[i]) << c.kind << " " << i;
        impFreeBuffer(block);
    }
}

TEST(ImpBorder, TopMirrorAndRightCycle)
{
    ImpModeGuard g;
    TestImage im(1, 8, 4, 2);
    for (int x = 0; x < 4; ++x) {
        im.at8(x, 0) = (uint8_t)(10 + x);
        im.at8(x, 1) = (uint8_t)(20 + x);
    }
    impSetImageBorder(im.h, 2, IMP_SIDE_TOP, 0);
    int32_t step;
    char* block = impGetBorderedBlock(im.h, 0, -5, 1, 5, &step);
    int rows[] = {0, 0, 1, 1, 0};
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ((uint8_t)block[r * step], 10 + 10 * rows[r]) << r;
    impFreeBuffer(block);
    impSetImageBorder(im.h, 3, IMP_SIDE_RIGHT, 0);
    block = impGetBorderedBlock(im.h, 4 + 5, 0, 3, 1, &step);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ((uint8_t)block[i], 10 + (9 + i) % 4);
    impFreeBuffer(block);
}

TEST(ImpBorder, FloatFillValues)
{
    ImpModeGuard g;
    ImpHeader* f = impCreateImageHeader(1, 0, 32, "G", "G", 0, 0, 4, 2, 2, nullptr, nullptr, nullptr, nullptr);
    float pixels[4] = {0, 0, 0, 0};
    f->imageData = (char*)pixels;
    impSetImageBorder(f, 0, IMP_SIDE_TOP, 1);
    impSetImageBorder(f, 0, IMP_SIDE_LEFT, 2);
    int32_t step;
    float* block = (float*)impGetBorderedBlock(f, -1, -1, 2, 2, &step);
    EXPECT_EQ(block[0], 1.0f);
    EXPECT_EQ(block[step / 4], 2.0f);
    EXPECT_EQ(block[step / 4 + 1], 0.0f);
    impFreeBuffer(block);
    impFreeHeader(f);
}
