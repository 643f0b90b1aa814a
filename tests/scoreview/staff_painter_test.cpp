// The staff painter: the furniture of a small song against a golden picture reviewed by eye, and every real
// MIDI file painted page by page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "imaging/raster_image.h"
#include "kernel/path_map.h"
#include "song/song_files.h"
#include "tests/support/bmp_file.h"
#include "tests/support/test_data.h"
#include "view_fixture.h"

namespace {

// Compares the working page with tests/scoreview/golden/NAME.bmp pixel by pixel; with
// KESTRIN_REGENERATE_GOLDEN set (tools/regenerate_scoreview_golden.sh) the golden file is rewritten instead.
void ExpectGolden(const CScoreView& view, const char* name)
{
    std::string golden = SourcePath(std::string("tests/scoreview/golden/") + name + ".bmp");
    std::vector<uint32_t> pixels = PagePixels(view.pageBitmap);
    int width = view.pageBitmap.Width(), height = view.pageBitmap.Height();
    if (std::getenv("KESTRIN_REGENERATE_GOLDEN")) {
        std::filesystem::create_directories(std::filesystem::path(golden).parent_path());
        ASSERT_TRUE(WriteBmp24(golden, pixels.data(), width, height));
        return;
    }
    CRasterImage expected;
    ASSERT_TRUE(expected.LoadFile(ToWindowsPath(golden).c_str(), RASTER_TYPE_BMP)) << "no golden picture " << golden;
    ASSERT_EQ(expected.GetWidth(), width);
    ASSERT_EQ(expected.GetHeight(), height);
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const BYTE* p = expected.GetPixelAddress(x, y);
            uint32_t want = p[2] << 16 | p[1] << 8 | p[0];
            differing += (pixels[(size_t)y * width + x] & 0xFFFFFF) != want;
        }
    EXPECT_EQ(differing, 0) << "pixels of the painted " << name << " differ from its golden picture";
}

TEST(StaffPainter, FurnitureMatchesTheGoldenPicture)
{
    CScoreView view;
    BuildFurnitureSong(view.score);
    view.noteSpacing = 0.75;
    view.currentTrack = 1;
    PrepareHeadlessView(view, 900, 0, 1.0);
    view.RedrawScore(true);
    ExpectGolden(view, "staff_furniture");
}

TEST(StaffPainter, EveryTestMidiFilePaintsEveryPageAtTwoZooms)
{
    std::filesystem::path folder = TestDataPath("midi");
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".mid")
            continue;
        ++files;
        for (double zoom : {1.0, 2.0}) {
            CScoreView view;
            ASSERT_EQ(OpenSongFile(view.score, entry.path().c_str()), 1) << entry.path();
            PrepareHeadlessView(view, 800, 0, zoom);
            int last = LastSongMeasure(view), pages = 0;
            for (int measure = 0; measure <= last && measure < kStripMeasureCount; measure = NextPageMeasure(view)) {
                ScrollToMeasure(view, measure);
                view.RedrawScore(true);
                ASSERT_FALSE(view.pageBitmap.IsEmpty());
                ASSERT_LT(++pages, 400) << entry.path();
            }
            EXPECT_GT(pages, 0) << entry.path();
        }
    }
    EXPECT_GT(files, 0);
}

}  // namespace
