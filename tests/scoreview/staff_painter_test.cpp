// The staff painter: the furniture of a small song against a golden picture reviewed by eye, and every real
// MIDI file painted page by page.
#include <gtest/gtest.h>

#include <filesystem>

#include "song/song_files.h"
#include "tests/support/test_data.h"
#include "view_fixture.h"

namespace {

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
