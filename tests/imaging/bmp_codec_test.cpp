// BMP codec: hand-built files of each depth and form, run-length streams, failures and writing.
#include <gtest/gtest.h>

#include "tests/support/bitmap_headers.h"
#include "image_io.h"

namespace {

COLORREF Colour(const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

// A 4x2 4-bit picture: bottom row 1,2,3,4 and top row 5,6,7,8, as stored rows.
std::vector<uint8_t> FourBitPlain()
{
    auto f = InfoFile(4, 2, 4, 0, 0, 16);
    std::vector<uint32_t> pal;
    for (uint32_t i = 0; i < 16; ++i)
        pal.push_back(i * 0x101010);
    Palette(f, pal);
    f.insert(f.end(), {0x12, 0x34, 0, 0, 0x56, 0x78, 0, 0});
    return f;
}

std::vector<uint8_t> WithBytes(std::vector<uint8_t> head, const std::vector<uint8_t>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

std::vector<int> Indices(const CRasterImage& image)
{
    std::vector<int> out;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            out.push_back(image.GetPixelIndex(x, y));
    return out;
}

}  // namespace

TEST(BmpCodecTest, TwentyFourBitRoundTripHasNoPalette)
{
    CRasterImage image(3, 2, 24, RASTER_TYPE_BMP);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.SetPixelColor(x, y, RGB(10 * x, 20 * y, 7));
    auto bytes = EncodeBytes(image, RASTER_TYPE_BMP);
    ASSERT_EQ(bytes.size(), 54u + 2 * 12);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[10], 54);  // pixel offset: 14 + 40, no palette
    CRasterImage back;
    ASSERT_TRUE(DecodeBytes(back, bytes, RASTER_TYPE_BMP));
    EXPECT_EQ(Colour(back.GetPixelColor(2, 1)), RGB(20, 20, 7));
}

TEST(BmpCodecTest, FileWithoutFileHeaderLoads)
{
    auto f = InfoFile(2, 1, 1, 0, 2, 2, /*fileHeader=*/false);
    Palette(f, {0x000000, 0xFF0000});
    f.insert(f.end(), {0x40, 0, 0, 0});
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, f, RASTER_TYPE_BMP));
    EXPECT_EQ(Colour(image.GetPixelColor(1, 0)), RGB(255, 0, 0));
    EXPECT_EQ(Colour(image.GetPixelColor(0, 0)), RGB(0, 0, 0));
}

TEST(BmpCodecTest, CoreHeaderMatchesInfoHeader)
{
    std::vector<uint8_t> core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 14 + 12 + 6, 0, 0, 0};
    Put32(core, 12);
    Put16(core, 2);
    Put16(core, 1);
    Put16(core, 1);
    Put16(core, 1);
    core.insert(core.end(), {0x10, 0x20, 0x30, 0xAA, 0xBB, 0xCC});  // two 3-byte entries
    core.insert(core.end(), {0x80, 0, 0, 0});
    auto info = InfoFile(2, 1, 1, 0, 2, 2);
    Palette(info, {0x302010, 0xCCBBAA});
    info.insert(info.end(), {0x80, 0, 0, 0});
    CRasterImage a, b;
    ASSERT_TRUE(DecodeBytes(a, core, RASTER_TYPE_BMP));
    ASSERT_TRUE(DecodeBytes(b, info, RASTER_TYPE_BMP));
    for (int x = 0; x < 2; ++x)
        EXPECT_EQ(Colour(a.GetPixelColor(x, 0)), Colour(b.GetPixelColor(x, 0)));
    EXPECT_EQ(Colour(a.GetPixelColor(0, 0)), RGB(0xCC, 0xBB, 0xAA));
}

TEST(BmpCodecTest, ShortPaletteReadsOnlyTheUsedColoursAndPixelsAtTheOffset)
{
    auto f = InfoFile(2, 1, 8, 0, 16, 16);
    std::vector<uint32_t> pal(16, 0);
    pal[15] = 0x00FF00;
    Palette(f, pal);
    f.insert(f.end(), {15, 0, 0, 0});
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, f, RASTER_TYPE_BMP));
    EXPECT_EQ(image.GetPaletteCount(), 256);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 15);
    EXPECT_EQ(Colour(image.GetPixelColor(0, 0)), RGB(0, 255, 0));

    // Without a file header the pixels follow the 16 entries directly.
    auto bare = InfoFile(2, 1, 8, 0, 16, 16, false);
    Palette(bare, pal);
    bare.insert(bare.end(), {15, 0, 0, 0});
    CRasterImage second;
    ASSERT_TRUE(DecodeBytes(second, bare, RASTER_TYPE_BMP));
    EXPECT_EQ(second.GetPixelIndex(0, 0), 15);
}

TEST(BmpCodecTest, RunLengthStreamsMatchPlainPictures)
{
    CRasterImage plain;
    ASSERT_TRUE(DecodeBytes(plain, FourBitPlain(), RASTER_TYPE_BMP));

    // Bottom row: one pixel by a run, then an absolute run of 3 (2 data bytes, no pad), starting at odd position.
    // Top row: an absolute run of 4 pixels, then end of picture.
    auto rle4 = InfoFile(4, 2, 4, 2, 16, 16);
    std::vector<uint32_t> pal;
    for (uint32_t i = 0; i < 16; ++i)
        pal.push_back(i * 0x101010);
    Palette(rle4, pal);
    rle4.insert(rle4.end(), {1, 0x10, 0, 3, 0x23, 0x40, 0, 0, 0, 4, 0x56, 0x78, 0, 1});
    CRasterImage decoded;
    ASSERT_TRUE(DecodeBytes(decoded, rle4, RASTER_TYPE_BMP));
    EXPECT_EQ(Indices(decoded), Indices(plain));

    auto rle8 = InfoFile(4, 2, 8, 1, 256, 256);
    Palette(rle8, std::vector<uint32_t>(256, 0));
    // Absolute run of 3 bytes with a pad byte, a repeat run, end of row, delta, a repeat run, end.
    rle8.insert(rle8.end(), {0, 3, 9, 8, 7, 0, 1, 6, 0, 0, 0, 2, 2, 0, 2, 5, 0, 1});
    CRasterImage eight;
    ASSERT_TRUE(DecodeBytes(eight, rle8, RASTER_TYPE_BMP));
    EXPECT_EQ(eight.GetPixelIndex(0, 0), 9);
    EXPECT_EQ(eight.GetPixelIndex(2, 0), 7);
    EXPECT_EQ(eight.GetPixelIndex(3, 0), 6);
    EXPECT_EQ(eight.GetPixelIndex(2, 1), 5);
    EXPECT_EQ(eight.GetPixelIndex(3, 1), 5);
}

TEST(BmpCodecTest, HostileRunLengthStreamsStayInsideThePicture)
{
    const std::vector<std::vector<uint8_t>> streams = {
        {255, 1, 255, 2, 0, 1},        // runs far past the row end
        {0, 2, 255, 255, 5, 5, 0, 1},  // a delta past the picture
        {0, 255, 1, 2, 3},             // an absolute run cut short
        {7, 7},                        // no end marker
    };
    for (const auto& stream : streams) {
        auto f = InfoFile(3, 2, 8, 1, 256, 256);
        Palette(f, std::vector<uint32_t>(256, 0));
        f.insert(f.end(), stream.begin(), stream.end());
        CRasterImage image;
        DecodeBytes(image, f,
                    RASTER_TYPE_BMP);  // must neither crash nor write outside (checked by the sanitizer build)
    }
}

TEST(BmpCodecTest, RunLengthStreamOfAnotherPixelSizeIsRefused)
{
    // Each stream would fill a whole 64-pixel row in bytes, eight times a 1-bit row's width.
    struct Case {
        int bits;
        uint32_t compression;
    } cases[] = {{1, 1}, {1, 2}, {4, 1}, {8, 2}};
    for (const Case& c : cases) {
        auto f = InfoFile(64, 1, c.bits, c.compression, 0, 1u << c.bits);
        Palette(f, std::vector<uint32_t>(1u << c.bits, 0));
        f.insert(f.end(), {64, 0xFF, 0, 1});
        CRasterImage image;
        EXPECT_FALSE(DecodeBytes(image, f, RASTER_TYPE_BMP)) << c.bits << " bits, compression " << c.compression;
        EXPECT_STREQ(image.GetLastError(), "compression type not supported");
    }
}

TEST(BmpCodecTest, SixteenBitFieldsOfAnyWidth)
{
    struct Case {
        uint32_t red, green, blue;
        unsigned pixel;
        COLORREF colour;
    } cases[] = {
        {0xF800, 0x07E0, 0x001F, 0xFFFF, RGB(248, 252, 248)},  // 5-6-5
        {0xFFC0, 0x0030, 0x000F, 0x8035, RGB(128, 192, 80)},   // 10-2-4: red wider than a byte
        {0x000F, 0xFFF0, 0x0000, 0xABCD, RGB(208, 171, 0)},    // 4-12-0, red in the low bits
    };
    for (const Case& c : cases) {
        auto f = InfoFile(1, 1, 16, 3, 0, 0);
        Put32(f, c.red);
        Put32(f, c.green);
        Put32(f, c.blue);
        Put16(f, c.pixel);
        Put16(f, 0);
        f[10] += 12;  // the masks come before the pixels
        CRasterImage image;
        ASSERT_TRUE(DecodeBytes(image, f, RASTER_TYPE_BMP));
        EXPECT_EQ(Colour(image.GetPixelColor(0, 0)), c.colour) << std::hex << c.red << " " << c.green << " " << c.blue;
    }
}

TEST(BmpCodecTest, TopDownAndSixteenBitPictures)
{
    auto down = InfoFile(1, -2, 24, 0, 0, 0);
    down.insert(down.end(), {1, 2, 3, 0, 4, 5, 6, 0});  // first row in the file is the top row
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, down, RASTER_TYPE_BMP));
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(Colour(image.GetPixelColor(0, 1)), RGB(3, 2, 1));
    EXPECT_EQ(Colour(image.GetPixelColor(0, 0)), RGB(6, 5, 4));

    auto sixteen = InfoFile(1, 1, 16, 0, 0, 0);
    Put16(sixteen, 0x7C00 | 0x001F);  // full red and blue in 5-5-5
    Put16(sixteen, 0);
    CRasterImage rgb;
    ASSERT_TRUE(DecodeBytes(rgb, sixteen, RASTER_TYPE_BMP));
    EXPECT_EQ(rgb.GetBpp(), 24);
    EXPECT_EQ(Colour(rgb.GetPixelColor(0, 0)), RGB(248, 0, 248));
}

TEST(BmpCodecTest, FailuresLeaveTheirTextAndKeepSettings)
{
    struct Case {
        std::vector<uint8_t> bytes;
        const char* text;
    } cases[] = {
        {{'B', 'M', 1}, "Not a BMP"},
        {{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0}, "Error reading BMP info"},
        {InfoFile(1, 1, 24, 1, 0, 0), "unknown compression"},
        {WithBytes(InfoFile(1, 1, 8, 3, 1, 1), {0, 0, 0, 0}), "compression type not supported"},
        {InfoFile(4, 4, 24, 0, 0, 0), "Not a BMP"},  // pixel rows missing
    };
    for (const Case& c : cases) {
        CRasterImage image(RASTER_TYPE_BMP);
        image.SetTransparentIndex(3);
        image.SetQuality(90);
        EXPECT_FALSE(DecodeBytes(image, c.bytes, RASTER_TYPE_BMP));
        EXPECT_STREQ(image.GetLastError(), c.text);
        EXPECT_FALSE(image.IsValid());
        EXPECT_EQ(image.GetTransparentIndex(), 3);
        EXPECT_EQ(image.GetQuality(), 90);
    }
    CRasterImage image;
    EXPECT_FALSE(DecodeBytes(image, FourBitPlain(), 7));
    EXPECT_STREQ(image.GetLastError(), "Unsupported operation for this format");
}
