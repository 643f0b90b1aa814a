// CRasterImage creation, pixel and palette access, ownership and transforms.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "imaging/raster_image.h"

namespace {

COLORREF Colour(const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

}  // namespace

TEST(RasterImageTest, CreateRaisesDepthAndSizesRows)
{
    struct Case {
        int width, bits, wantBits, wantPalette, wantRow;
    } cases[] = {
        {5, 1, 1, 2, 4},    {33, 1, 1, 2, 8},   {5, 2, 4, 16, 4},   {5, 8, 8, 256, 8},
        {3, 16, 24, 0, 12}, {3, 24, 24, 0, 12}, {3, 32, 32, 0, 12},
    };
    for (const Case& c : cases) {
        CRasterImage image(c.width, 2, c.bits, RASTER_TYPE_BMP);
        ASSERT_TRUE(image.IsValid());
        EXPECT_EQ(image.GetBpp(), c.wantBits) << c.bits;
        EXPECT_EQ(image.GetPaletteCount(), c.wantPalette) << c.bits;
        EXPECT_EQ(image.GetRowWidth(), c.wantRow) << c.bits;
        EXPECT_EQ(image.GetBufferSize(), 40 + 4 * c.wantPalette + 2 * c.wantRow);
    }
}

TEST(RasterImageTest, NewPictureHasClearedPixelsAndPadding)
{
    // Leave a block of the same size dirty on the heap, so that a reused block would show.
    CRasterImage probe(3, 4, 24, RASTER_TYPE_BMP);
    size_t size = static_cast<size_t>(probe.GetBufferSize());
    probe.Destroy();
    void* dirty = std::malloc(size);
    std::memset(dirty, 0xAA, size);
    std::free(dirty);
    CRasterImage image(3, 4, 24, RASTER_TYPE_BMP);
    ASSERT_TRUE(image.IsValid());
    const BYTE* rows = image.GetPixelRows();
    for (int i = 0; i < image.GetRowWidth() * 4; ++i)
        ASSERT_EQ(rows[i], 0) << i;
}

TEST(RasterImageTest, PixelsByIndexAndColour)
{
    CRasterImage four(4, 1, 4, RASTER_TYPE_BMP);
    four.SetPixelIndex(0, 0, 0x3);
    four.SetPixelIndex(1, 0, 0x1C);  // only the low nibble counts
    EXPECT_EQ(four.GetPixelRows()[0], 0x3C);
    EXPECT_EQ(four.GetPixelIndex(1, 0), 0xC);

    CRasterImage mono(10, 1, 1, RASTER_TYPE_BMP);
    mono.GetPixelRows()[0] = 0;
    mono.SetPixelIndex(1, 0, 1);
    EXPECT_EQ(mono.GetPixelRows()[0], 0x40);

    CRasterImage rgb(2, 2, 24, RASTER_TYPE_BMP);
    rgb.SetPixelColor(1, 0, 255);
    const BYTE* p = rgb.GetPixelRows() + 3;
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[1], 0);
    EXPECT_EQ(p[2], 255);
    EXPECT_EQ(rgb.GetPixelAddress(1, 1), p);  // from the top, row 1 is the bottom row
}

TEST(RasterImageTest, OutsidePixelsFollowTransparency)
{
    CRasterImage rgb(2, 2, 24, RASTER_TYPE_BMP);
    EXPECT_EQ(Colour(rgb.GetPixelColor(5, 5)), 0u);
    rgb.SetTransparentColor(RGB(1, 2, 3));
    rgb.SetTransparentIndex(0);
    EXPECT_EQ(Colour(rgb.GetPixelColor(-1, 0)), RGB(1, 2, 3));

    CRasterImage indexed(2, 2, 8, RASTER_TYPE_BMP);
    indexed.SetGreyPalette();
    indexed.SetTransparentIndex(7);
    EXPECT_EQ(indexed.GetPixelIndex(9, 9), 7);
    EXPECT_EQ(Colour(indexed.GetPixelColor(9, 9)), RGB(7, 7, 7));
}

TEST(RasterImageTest, PaletteHelpers)
{
    CRasterImage sixteen(1, 1, 4, RASTER_TYPE_BMP);
    sixteen.SetGreyPalette();
    EXPECT_EQ(sixteen.GetPaletteColor(1).rgbRed, 17);
    EXPECT_EQ(sixteen.GetPaletteColor(15).rgbRed, 255);
    EXPECT_FALSE(sixteen.IsGrayScale());  // only the identity ramp of 256 entries counts as grey

    CRasterImage grey(1, 1, 8, RASTER_TYPE_BMP);
    grey.SetGreyPalette();
    EXPECT_TRUE(grey.IsGrayScale());
    RGBQUAD between = {10, 10, 10, 0};
    EXPECT_EQ(grey.GetNearestIndex(between), 10);

    CRasterImage two(1, 1, 1, RASTER_TYPE_BMP);
    RGBQUAD same[2] = {{5, 5, 5, 0}, {5, 5, 5, 0}};
    two.SetPalette(same, 2);
    RGBQUAD probe = {9, 9, 9, 0};
    EXPECT_EQ(two.GetNearestIndex(probe), 0);  // first of equal distances
}

TEST(RasterImageTest, GhostNeverFreesTheSharedBuffer)
{
    CRasterImage source(4, 4, 24, RASTER_TYPE_BMP);
    source.SetPixelColor(0, 0, RGB(9, 8, 7));
    {
        CRasterImage ghost;
        ghost.Ghost(&source);
        EXPECT_EQ(ghost.GetBits(), source.GetBits());
    }
    EXPECT_EQ(Colour(source.GetPixelColor(0, 0)), RGB(9, 8, 7));

    CRasterImage taker;
    taker.Transfer(&source);
    EXPECT_FALSE(source.IsValid());
    EXPECT_TRUE(source.IsEmpty());
    EXPECT_EQ(Colour(taker.GetPixelColor(0, 0)), RGB(9, 8, 7));
}

TEST(RasterImageTest, CopyFromResetsTransparencyAndKeepsPixels)
{
    CRasterImage source(3, 3, 24, RASTER_TYPE_JPEG);
    source.SetPixelColor(2, 2, RGB(1, 2, 3));
    source.SetTransparentIndex(0);
    CRasterImage copy;
    copy.CopyFrom(&source);
    EXPECT_EQ(copy.GetType(), RASTER_TYPE_JPEG);
    EXPECT_EQ(copy.GetTransparentIndex(), -1);
    EXPECT_EQ(Colour(copy.GetPixelColor(2, 2)), RGB(1, 2, 3));
}

TEST(RasterImageTest, ResampleTakesNearestPixels)
{
    CRasterImage image(100, 50, 24, RASTER_TYPE_BMP);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            image.SetPixelColor(x, y, RGB(x, y, 0));
    EXPECT_FALSE(image.Resample(0, 10, 1));
    EXPECT_TRUE(image.Resample(100, 50, 1));
    ASSERT_TRUE(image.Resample(50, 25, 1));
    EXPECT_EQ(image.GetWidth(), 50);
    EXPECT_EQ(Colour(image.GetPixelColor(0, 0)), RGB(0, 0, 0));
    EXPECT_EQ(Colour(image.GetPixelColor(7, 3)), RGB(14, 6, 0));

    CRasterImage indexed(4, 4, 8, RASTER_TYPE_BMP);
    indexed.SetGreyPalette();
    ASSERT_TRUE(indexed.Resample(2, 2, 1));
    EXPECT_EQ(indexed.GetBpp(), 8);
    EXPECT_TRUE(indexed.IsGrayScale());
}

TEST(RasterImageTest, IncreaseBppUsesPaletteColours)
{
    CRasterImage mono(9, 1, 1, RASTER_TYPE_BMP);
    RGBQUAD bw[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    mono.SetPalette(bw, 2);
    mono.GetPixelRows()[0] = 0x80;
    mono.GetPixelRows()[1] = 0x00;
    ASSERT_TRUE(mono.IncreaseBpp(24));
    EXPECT_EQ(mono.GetBpp(), 24);
    EXPECT_EQ(Colour(mono.GetPixelColor(0, 0)), RGB(255, 255, 255));
    EXPECT_EQ(Colour(mono.GetPixelColor(8, 0)), RGB(0, 0, 0));
    EXPECT_TRUE(mono.IncreaseBpp(24));
    CRasterImage empty;
    EXPECT_FALSE(empty.IncreaseBpp(24));
}

TEST(RasterImageTest, CopyRectFromClipsAndChecksDepth)
{
    CRasterImage dest(4, 4, 24, RASTER_TYPE_BMP), source(4, 4, 24, RASTER_TYPE_BMP), other(4, 4, 8, RASTER_TYPE_BMP);
    dest.CreateFilled(4, 4, 24, 0);
    source.CreateFilled(4, 4, 24, 0xFFFFFF);
    EXPECT_FALSE(dest.CopyRectFrom(0, 0, 2, 2, &other, 0, 0));
    ASSERT_TRUE(dest.CopyRectFrom(3, 0, 3, 1, &source, 0, 0));
    // Only the last column of the top row fits.
    EXPECT_EQ(Colour(dest.GetPixelColor(3, 3)), RGB(255, 255, 255));
    EXPECT_EQ(Colour(dest.GetPixelColor(2, 3)), 0u);
    EXPECT_EQ(Colour(dest.GetPixelColor(3, 2)), 0u);
    EXPECT_FALSE(dest.CopyRectFrom(4, 0, 1, 1, &source, 0, 0));
}

TEST(RasterImageTest, FillAndChannelTable)
{
    CRasterImage image;
    image.CreateFilled(2, 1, 24, 0x808080);
    EXPECT_EQ(image.GetPixelRows()[5], 0x80);
    image.CreateFilled(2, 1, 24, 0x0000FF);
    EXPECT_EQ(image.GetPixelRows()[0], 255);  // blue sits in the low byte
    EXPECT_EQ(image.GetPixelRows()[2], 0);
    EXPECT_EQ(image.CreateFilled(2, 2, 8, 0), image.GetBits());  // below 24 bits nothing changes
    EXPECT_EQ(image.GetWidth(), 2);

    image.CreateFilled(1, 1, 24, 0x405060);
    BYTE zero[256] = {};
    image.ApplyChannelTable(zero, 1);
    EXPECT_EQ(Colour(image.GetPixelColor(0, 0)), RGB(0, 0x50, 0x60));
}
