// Packed DIB pictures from resources: palettes, painting by rectangles, and raster images from resources.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/bitmap_headers.h"
#include "imaging/packed_dib.h"
#include "imaging/raster_image.h"
#include "kernel/prompt_service.h"
#include "kernel/resources.h"
#include "tests/support/canvas.h"

namespace {

// Resource 901: a 16-colour 20x2 picture whose header says colours used 0, pixels in palette index order.
// Resource 902: a 24-bit 2x1 picture.
std::vector<uint8_t> SixteenColours()
{
    auto f = InfoFile(20, 2, 4, 0, 0, 16);
    std::vector<uint32_t> pal;
    for (uint32_t i = 0; i < 16; ++i)
        pal.push_back(i * 0x10000 + i);
    Palette(f, pal);
    for (int row = 0; row < 2; ++row)
        for (int b = 0; b < 12; ++b)
            f.push_back(b < 10 ? static_cast<uint8_t>(((2 * b) % 16) << 4 | ((2 * b + 1) % 16)) : 0);
    return f;
}

std::vector<uint8_t> TrueColour()
{
    auto f = InfoFile(2, 1, 24, 0, 0, 0);
    f.insert(f.end(), {0, 0, 255, 0, 255, 0, 0, 0});  // red, green
    return f;
}

class PackedDibTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static std::vector<uint8_t> sixteen = SixteenColours(), rgb = TrueColour();
        static EmbeddedResource table[] = {
            {"DIB", "901", sixteen.data(), static_cast<unsigned>(sixteen.size())},
            {"DIB", "902", rgb.data(), static_cast<unsigned>(rgb.size())},
        };
        RegisterResourceTable(table, 2);
    }

    // A black 32-bit surface.
    void MakeSurface(int width, int height) { surface = std::make_unique<Canvas>(width, height, RGB(0, 0, 0)); }
    HDC Dc() const { return surface->dc(); }

    std::unique_ptr<Canvas> surface;
};

}  // namespace

TEST_F(PackedDibTest, SixteenColourPictureGetsAFullPalette)
{
    CPackedDib dib;
    EXPECT_FALSE(dib.LoadFromResource(999));
    ASSERT_TRUE(dib.LoadFromResource(901));
    EXPECT_EQ(dib.GetSize().cx, 20);
    EXPECT_EQ(GetDibColorCount(dib.GetDib()), 16);
    ASSERT_NE(dib.GetPalette(), nullptr);
    EXPECT_EQ(dib.GetPalette()->GetEntryCount(), 16);
    EXPECT_TRUE(dib.RealizePalette());
    EXPECT_TRUE(dib.RealizePalette());
}

TEST_F(PackedDibTest, PaintRectComparesEachValueAndClipsTheSource)
{
    CPackedDib dib;
    ASSERT_TRUE(dib.LoadFromResource(901));
    MakeSurface(30, 2);
    GetRecordingPromptService().Clear();
    dib.PaintRect(Dc(), 0, 0, 10, 0, 20, 2);  // each value alone is within the picture
    EXPECT_TRUE(GetRecordingPromptService().Messages().empty());
    EXPECT_EQ(::GetPixel(Dc(), 0, 0), RGB(10, 0, 10));  // source column 10 holds index 10
    EXPECT_EQ(::GetPixel(Dc(), 10, 0), RGB(0, 0, 0));   // nothing painted past the picture
    dib.PaintRect(Dc(), 0, 0, 0, 0, 21, 2);
    ASSERT_EQ(GetRecordingPromptService().Messages().size(), 1u);
    EXPECT_EQ(GetRecordingPromptService().Messages()[0].text, "所给参数超过图象尺寸！");
}

TEST_F(PackedDibTest, TrueColourPictureHasNoPalette)
{
    CPackedDib dib;
    ASSERT_TRUE(dib.LoadFromResource(902));
    EXPECT_EQ(dib.GetPalette(), nullptr);
    EXPECT_TRUE(dib.RealizePalette());
    MakeSurface(2, 1);
    dib.PaintRect(Dc(), 0, 0, 0, 0, 2, 1);
    EXPECT_EQ(::GetPixel(Dc(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(Dc(), 1, 0), RGB(0, 255, 0));

    CPackedDib none;
    EXPECT_FALSE(none.RealizePalette());
    EXPECT_TRUE(none.RealizePalette());  // the second call does nothing
}

TEST_F(PackedDibTest, RasterImageLoadsFromAResource)
{
    CRasterImage image;
    ASSERT_TRUE(image.LoadResource(902, "DIB", RASTER_TYPE_BMP));
    RGBQUAD first = image.GetPixelColor(0, 0);
    EXPECT_EQ(RGB(first.rgbRed, first.rgbGreen, first.rgbBlue), RGB(255, 0, 0));
    CRasterImage missing;
    EXPECT_FALSE(missing.LoadResource(999, "DIB", RASTER_TYPE_BMP));
    EXPECT_FALSE(missing.IsValid());
}
