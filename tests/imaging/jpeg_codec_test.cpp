// JPEG codec: grey and colour round trips, row order, quality, refusals and corrupt input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "image_io.h"

TEST(JpegCodecTest, ColourRoundTripKeepsRowOrderAndChannels)
{
    CRasterImage image(16, 16, 24, RASTER_TYPE_JPEG);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.SetPixelColor(x, y, y >= 8 ? RGB(250, 10, 10) : RGB(10, 10, 250));
    auto bytes = EncodeBytes(image, RASTER_TYPE_JPEG);
    ASSERT_GT(bytes.size(), 100u);
    CRasterImage back;
    ASSERT_TRUE(DecodeBytes(back, bytes, RASTER_TYPE_JPEG));
    ASSERT_EQ(back.GetBpp(), 24);
    // The top rows (stored last) were red, the bottom ones blue.
    RGBQUAD top = back.GetPixelColor(4, 12), bottom = back.GetPixelColor(4, 3);
    EXPECT_NEAR(top.rgbRed, 250, 12);
    EXPECT_NEAR(top.rgbBlue, 10, 12);
    EXPECT_NEAR(bottom.rgbBlue, 250, 12);
    EXPECT_NEAR(bottom.rgbRed, 10, 12);
}

TEST(JpegCodecTest, GreyPicturesStayOneComponent)
{
    CRasterImage grey(8, 8, 8, RASTER_TYPE_JPEG);
    grey.SetGreyPalette();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            grey.SetPixelIndex(x, y, 128);
    auto bytes = EncodeBytes(grey, RASTER_TYPE_JPEG);
    CRasterImage back;
    ASSERT_TRUE(DecodeBytes(back, bytes, RASTER_TYPE_JPEG));
    EXPECT_EQ(back.GetBpp(), 8);
    EXPECT_TRUE(back.IsGrayScale());
    EXPECT_NEAR(back.GetPixelIndex(3, 3), 128, 2);
}

TEST(JpegCodecTest, QualityReachesTheEncoder)
{
    CRasterImage image(32, 32, 24, RASTER_TYPE_JPEG);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.SetPixelColor(x, y, RGB(x * 8, y * 8, (x ^ y) * 8));
    size_t atDefault = EncodeBytes(image, RASTER_TYPE_JPEG).size();
    image.SetQuality(100);
    size_t atBest = EncodeBytes(image, RASTER_TYPE_JPEG).size();
    EXPECT_GT(atBest, atDefault);
}

TEST(JpegCodecTest, ColourPaletteIsRefusedAndWritesNothing)
{
    CRasterImage indexed(4, 4, 8, RASTER_TYPE_JPEG);
    RGBQUAD red = {0, 0, 255, 0};
    indexed.SetPalette(&red, 1);
    bool ok = true;
    auto bytes = EncodeBytes(indexed, RASTER_TYPE_JPEG, &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(bytes.empty());
    EXPECT_STREQ(indexed.GetLastError(), "JPEG can save only RGB or GreyScale images");
}

TEST(JpegCodecTest, CorruptFileFailsWithATextAndKeepsSettings)
{
    CRasterImage good(8, 8, 24, RASTER_TYPE_JPEG);
    auto bytes = EncodeBytes(good, RASTER_TYPE_JPEG);
    for (size_t cut : {size_t(0), size_t(2), size_t(20)}) {
        std::vector<uint8_t> truncated(bytes.begin(), bytes.begin() + cut);
        truncated.resize(cut == 0 ? 4 : cut, 0);
        CRasterImage image(RASTER_TYPE_JPEG);
        image.SetQuality(60);
        EXPECT_FALSE(DecodeBytes(image, truncated, RASTER_TYPE_JPEG));
        EXPECT_FALSE(image.IsValid());
        EXPECT_NE(image.GetLastError()[0], '\0');
        EXPECT_EQ(image.GetType(), RASTER_TYPE_JPEG);
        EXPECT_EQ(image.GetQuality(), 60);
    }
}

TEST(JpegCodecTest, TruncatedFileFailsAndLeavesTheImageEmpty)
{
    CRasterImage image(64, 64, 24, RASTER_TYPE_JPEG);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.SetPixelColor(x, y, RGB(x * 4, y * 4, (x * y) & 255));
    auto bytes = EncodeBytes(image, RASTER_TYPE_JPEG);
    bytes.resize(bytes.size() * 2 / 3);
    CRasterImage back;
    EXPECT_FALSE(DecodeBytes(back, bytes, RASTER_TYPE_JPEG));
    EXPECT_FALSE(back.IsValid());
    EXPECT_STREQ(back.GetLastError(), "Premature end of JPEG file");
}

TEST(JpegCodecTest, StrayBytesBetweenMarkersStillLoad)
{
    CRasterImage image(16, 16, 24, RASTER_TYPE_JPEG);
    auto bytes = EncodeBytes(image, RASTER_TYPE_JPEG);
    // Two bytes of padding before the start-of-scan marker, as some cameras write.
    size_t scan = 2;
    while (scan + 1 < bytes.size() && !(bytes[scan] == 0xFF && bytes[scan + 1] == 0xDA))
        ++scan;
    ASSERT_LT(scan + 1, bytes.size());
    bytes.insert(bytes.begin() + scan, {0x00, 0x00});
    CRasterImage back;
    EXPECT_TRUE(DecodeBytes(back, bytes, RASTER_TYPE_JPEG)) << back.GetLastError();
    EXPECT_EQ(back.GetWidth(), 16);
}

TEST(JpegCodecTest, FrameOverTheSizeLimitIsRefusedBeforeDecoding)
{
    CRasterImage grey(8, 8, 8, RASTER_TYPE_JPEG);
    grey.SetGreyPalette();
    auto bytes = EncodeBytes(grey, RASTER_TYPE_JPEG);
    // A 16384 x 16400 grey frame is just over 256 MB.
    size_t frame = 0;
    while (frame + 8 < bytes.size() && !(bytes[frame] == 0xFF && bytes[frame + 1] == 0xC0))
        ++frame;
    ASSERT_LT(frame + 8, bytes.size());
    const uint8_t size[] = {0x40, 0x10, 0x40, 0x00};  // height, width, big-endian
    std::copy(size, size + 4, bytes.begin() + frame + 5);
    CRasterImage back;
    EXPECT_FALSE(DecodeBytes(back, bytes, RASTER_TYPE_JPEG));
    EXPECT_FALSE(back.IsValid());
    EXPECT_STREQ(back.GetLastError(), "Can't allocate memory");
}

TEST(JpegCodecTest, NarrowGreyPicturesSaveAsByteLines)
{
    struct Case {
        int bits;
        int (*value)(int x);
    } cases[] = {
        {1, [](int x) { return (x / 8) & 1; }},
        {4, [](int x) { return x / 4; }},
    };
    for (const Case& c : cases) {
        // Palette entry i is (i, i, i): a grey ramp, though a very dark one.
        const int colours = 1 << c.bits;
        std::vector<RGBQUAD> ramp(colours);
        for (int i = 0; i < colours; ++i)
            ramp[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
        CRasterImage image(64, 8, c.bits, RASTER_TYPE_JPEG);
        image.SetPalette(ramp.data(), colours);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 64; ++x)
                image.SetPixelIndex(x, y, c.value(x));
        bool ok = false;
        auto bytes = EncodeBytes(image, RASTER_TYPE_JPEG, &ok);
        ASSERT_TRUE(ok);
        CRasterImage back;
        ASSERT_TRUE(DecodeBytes(back, bytes, RASTER_TYPE_JPEG));
        ASSERT_EQ(back.GetWidth(), 64);
        for (int x = 0; x < 64; ++x)
            EXPECT_NEAR(back.GetPixelIndex(x, 4), c.value(x), 2) << c.bits << " bits, x " << x;
    }
}
