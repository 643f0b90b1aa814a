// Header creation, row steps, validation codes, allocation fills, borders and status texts.
#include <gtest/gtest.h>

#include <cstring>

#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp_test_util.h"

TEST(ImpHeader, RowStepsAndSizes)
{
    ImpModeGuard g;
    struct Case {
        int ch, depth, order, align, w, h, step, size;
    } cases[] = {
        {3, 8, 0, 4, 5, 2, 16, 32}, {3, 8, 1, 4, 5, 2, 8, 48},    {1, 1, 0, 8, 33, 1, 8, 8},
        {1, 1, 0, 4, 10, 1, 4, 4},  {1, 16, 0, 32, 3, 2, 32, 64},
    };
    for (const Case& c : cases) {
        ImpHeader* h = impCreateImageHeader(c.ch, 0, c.depth, "RGB", "BGR", c.order, 0, c.align, c.w, c.h, nullptr,
                                            nullptr, nullptr, nullptr);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->headerSize, 112);
        EXPECT_EQ(h->widthStep, c.step);
        EXPECT_EQ(h->imageSize, c.size);
        EXPECT_EQ(h->borderKind[3], 0);
        impFreeHeader(h);
    }
}

TEST(ImpHeader, ValidationOrder)
{
    ImpModeGuard g;
    struct Case {
        int ch, alpha, depth;
        const char* cm;
        int order, origin, align, w, h, status;
    } cases[] = {
        {0, 9, 7, nullptr, 5, 5, 3, 0, 1, -10}, {3, 0, 1, nullptr, 0, 0, 4, 1, 1, -16},
        {1, 0, 8, nullptr, 0, 0, 4, 1, 1, -14}, {1, 0, 12, "G", 0, 0, 4, 1, 1, -17},
        {2, 1, 8, "G", 0, 0, 4, 1, 1, -18},     {1, 0, 8, "G", 2, 0, 4, 1, 1, -19},
        {1, 0, 8, "G", 0, 2, 4, 1, 1, -20},     {1, 0, 8, "G", 0, 0, 12, 1, 1, -21},
    };
    for (const Case& c : cases) {
        impSetStatus(0);
        EXPECT_EQ(impCreateImageHeader(c.ch, c.alpha, c.depth, c.cm, "G", c.order, c.origin, c.align, c.w, c.h, nullptr,
                                       nullptr, nullptr, nullptr),
                  nullptr);
        EXPECT_EQ(impGetStatus(), c.status);
    }
}

TEST(ImpHeader, OversizedImageRefused)
{
    ImpModeGuard g;
    EXPECT_EQ(impCreateImageHeader(4, 0, 16, "RGB", "BGR", 0, 0, 4, 100000, 100000, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(impGetStatus(), -10);
}

TEST(ImpHeader, ShortChannelTextIsPadded)
{
    ImpModeGuard g;
    ImpHeader* h = impCreateImageHeader(1, 0, 8, "G", "G", 0, 0, 4, 2, 2, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(0, memcmp(h->colorModel, "G\0\0\0", 4));
    impFreeHeader(h);
}

TEST(ImpHeader, CheckImageMaskAndRoi)
{
    ImpModeGuard g;
    TestImage img(3, 8, 4, 4), mask8(1, 8, 4, 4), mask1(1, 1, 4, 4);
    img.h->maskImage = mask8.h;
    EXPECT_EQ(impCheckImage(img.h), -117);
    img.h->maskImage = mask1.h;
    char* data = mask1.h->imageData;
    mask1.h->imageData = nullptr;
    EXPECT_EQ(impCheckImage(img.h), -112);
    mask1.h->imageData = data;
    img.h->maskImage = nullptr;
    ImpRoiRecord roi{3, 0, 0, 100, 100};
    img.h->roi = &roi;
    EXPECT_EQ(impCheckImage(img.h), 0);
    roi.coi = 4;
    EXPECT_EQ(impCheckImage(img.h), -24);
    roi.coi = 0;
    roi.offsetX = -1;
    EXPECT_EQ(impCheckImage(img.h), -11);
    img.h->roi = nullptr;
}

TEST(ImpHeader, AllocateFillsAndRefusesFloat)
{
    ImpModeGuard g;
    TestImage w16(1, 16, 3, 2, 0, 0x1234), bits(1, 1, 9, 2, 0, 2);
    uint32_t word;
    memcpy(&word, w16.h->imageData, 4);
    EXPECT_EQ(word, 0x12341234u);
    memcpy(&word, bits.h->imageData, 4);
    EXPECT_EQ(word, 0u);
    ImpHeader* f = impCreateImageHeader(1, 0, 32, "G", "G", 0, 0, 4, 2, 2, nullptr, nullptr, nullptr, nullptr);
    impAllocateImage(f, 0, 0);
    EXPECT_EQ(impGetStatus(), -5);
    EXPECT_EQ(f->imageData, nullptr);
    impFreeHeader(f);
    impSetStatus(0);
    TestImage s32(1, IMP_DEPTH_32S, 2, 2);
    EXPECT_NE(s32.h->imageData, nullptr);
}

TEST(ImpHeader, BorderClampAndSides)
{
    ImpModeGuard g;
    TestImage img(1, 8, 2, 2);
    impSetImageBorder(img.h, 1, 5, 300);
    EXPECT_EQ(img.h->borderKind[0], 1);
    EXPECT_EQ(img.h->borderValue[0], 255);
    EXPECT_EQ(img.h->borderKind[2], 1);
    EXPECT_EQ(img.h->borderKind[1], 0);
    EXPECT_EQ(img.h->borderKind[3], 0);
}

TEST(ImpHeader, ReleaseKeepsCallerPixels)
{
    ImpModeGuard g;
    ImpHeader* h = impCreateImageHeader(1, 0, 8, "G", "G", 0, 0, 4, 4, 1, nullptr, nullptr, nullptr, nullptr);
    char pixels[4];
    h->imageData = pixels;
    impReleaseImageParts(h, 2);
    EXPECT_EQ(h->imageData, pixels);
    impFreeHeader(h);
    void* block = impAlignedMalloc(10);
    EXPECT_EQ((uintptr_t)block % 32, 0u);
    impAlignedFree(block);
    impAlignedFree(nullptr);
}

TEST(ImpStatus, RaiseAndTexts)
{
    ImpModeGuard g;
    impSetReportMode(0);
    EXPECT_EQ(impRaiseError(0, "f", "", "m", 1), 0);
    impSetReportMode(2);
    impSetStatus(-10);
    EXPECT_EQ(impRaiseError(-1, "f", "", "m", 1), -1);
    EXPECT_EQ(impGetStatus(), -10);
    EXPECT_EQ(impRaiseError(-5, "f", "", "m", 1), -5);
    EXPECT_EQ(impGetStatus(), -5);
    EXPECT_STREQ(impStatusText(-116), "Unknown error or status code");
    EXPECT_STREQ(impStatusText(-2), "Unknown error or status code");
    EXPECT_STREQ(impStatusText(5), "Unknown error or status code");
    EXPECT_STREQ(impStatusText(-26), "Mask image is taled");
    EXPECT_STREQ(impStatusText(-10), "Incorrect image size");
    EXPECT_STREQ(impStatusText(-112),
                 "Mask. One from two pointers should be null, and other should be not null, imageData or tileInfo ");
    EXPECT_STREQ(impStatusText(-4), "Out of memory");
}

TEST(ImpStatusDeathTest, ModeZeroEndsProcess)
{
    EXPECT_EXIT(
        {
            impSetReportMode(0);
            impRaiseError(-5, "f", "c", "m", 1);
        },
        testing::ExitedWithCode(1), "");
}
