// The skinned-toolkit demo tool paints its dialog from each program's skins.
#include <cstdlib>
#include <set>
#include <string>

#include "kernel/program_paths.h"
#include "skin_fixture.h"

namespace {

TEST(SkinDemo, ScreenshotOfEachProgramsSkinShowsThePaintedControls)
{
    SkinTempFolder temp;
    std::string tool = MapPath(GetProgramFolder()) + "skindemo";
    for (const char* program : {"composer", "converter"})
        for (int skin : {1, 2}) {
            std::string shot = temp.Linux() + "/" + program + std::to_string(skin) + ".bmp";
            std::string command =
                tool + " --program " + program + " --skin " + std::to_string(skin) + " --screenshot " + shot;
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
            CRasterImage picture;
            ASSERT_TRUE(picture.LoadFile(ToWindowsPath(shot).c_str(), RASTER_TYPE_BMP)) << shot;
            EXPECT_EQ(picture.GetWidth(), 600);
            EXPECT_EQ(picture.GetHeight(), 380);
            // Skin pictures, texts and the native controls give many colours; a blank window gives a few.
            std::set<uint32_t> colours;
            for (int y = 0; y < picture.GetHeight(); y += 2)
                for (int x = 0; x < picture.GetWidth(); x += 2) {
                    RGBQUAD c = picture.GetPixelColor(x, y);
                    colours.insert((uint32_t)c.rgbRed << 16 | c.rgbGreen << 8 | c.rgbBlue);
                }
            EXPECT_GT(colours.size(), 100u) << shot;
        }
}

TEST(SkinDemo, RefusesAnUnknownProgram)
{
    std::string tool = MapPath(GetProgramFolder()) + "skindemo";
    EXPECT_NE(std::system((tool + " --program other --skin 1 2>/dev/null").c_str()), 0);
}

}  // namespace
