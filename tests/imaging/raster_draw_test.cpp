// CRasterImage drawing into memory device contexts: plain and transparent draws, the memory-DC cache.
#include <gtest/gtest.h>

#include "imaging/raster_image.h"
#include "tests/support/canvas.h"

namespace {

const COLORREF kGreen = RGB(0, 200, 0);

// 2x2 picture, top row white | red, bottom row blue | white.
void Checker(CRasterImage& image)
{
    image.Create(2, 2, 24);
    image.SetPixelColor(0, 1, RGB(255, 255, 255));
    image.SetPixelColor(1, 1, RGB(255, 0, 0));
    image.SetPixelColor(0, 0, RGB(0, 0, 255));
    image.SetPixelColor(1, 0, RGB(255, 255, 255));
}

}  // namespace

TEST(RasterDrawTest, DrawCopiesAtOwnSizeAndFromColumnZero)
{
    CRasterImage image;
    Checker(image);
    Canvas surface(4, 4, kGreen);
    EXPECT_FALSE(CRasterImage().Draw(surface.dc(), 0, 0));
    EXPECT_FALSE(image.Draw(nullptr, 0, 0));
    ASSERT_TRUE(image.Draw(surface.dc(), 1, 1, -1, -1, -5, 0, -1, -1));
    EXPECT_EQ(surface.At(1, 1), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(1, 2), RGB(0, 0, 255));
    EXPECT_EQ(surface.At(3, 3), kGreen);
}

TEST(RasterDrawTest, TransparentColourKeepsTheDestination)
{
    CRasterImage image;
    Checker(image);
    image.SetTransparentColor(RGB(255, 255, 255));
    image.SetTransparentIndex(0);
    for (int scale : {1, 2}) {
        Canvas surface(4, 4, kGreen);
        ASSERT_TRUE(image.Draw(surface.dc(), 0, 0, 2 * scale, 2 * scale));
        EXPECT_EQ(surface.At(0, 0), kGreen) << scale;
        EXPECT_EQ(surface.At(scale, 0), RGB(255, 0, 0)) << scale;
        EXPECT_EQ(surface.At(0, scale), RGB(0, 0, 255)) << scale;
        EXPECT_EQ(surface.At(2 * scale - 1, 2 * scale - 1), kGreen) << scale;
    }
}

TEST(RasterDrawTest, MemoryDcCacheDrawsIntoThePicture)
{
    CRasterImage image;
    image.CreateFilled(3, 3, 24, 0xFFFFFF);
    EXPECT_FALSE(image.ReleaseMemDc());
    CDC* dc = image.GetMemDc(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(image.GetMemDc(nullptr), dc);
    ::SetPixel(dc->m_hDC, 0, 0, RGB(1, 2, 3));
    ASSERT_TRUE(image.ReleaseMemDc());
    RGBQUAD top = image.GetPixelColor(0, 2);  // the top-left pixel is in the last stored row
    EXPECT_EQ(RGB(top.rgbRed, top.rgbGreen, top.rgbBlue), RGB(1, 2, 3));
}

TEST(RasterDrawTest, RenderRegionFromClipsToTheSource)
{
    CRasterImage source;
    Checker(source);
    CRasterImage region;
    RECT rect = {0, 0, 1, 5};  // reaches below the source: only column 0 of both rows is taken
    region.RenderRegionFrom(&source, rect);
    ASSERT_EQ(region.GetWidth(), 1);
    ASSERT_EQ(region.GetHeight(), 2);
    RGBQUAD bottom = region.GetPixelColor(0, 0), top = region.GetPixelColor(0, 1);
    EXPECT_EQ(RGB(bottom.rgbRed, bottom.rgbGreen, bottom.rgbBlue), RGB(0, 0, 255));
    EXPECT_EQ(RGB(top.rgbRed, top.rgbGreen, top.rgbBlue), RGB(255, 255, 255));
}
