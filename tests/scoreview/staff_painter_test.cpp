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

// After a 3/8 measure every measure starts inside a beat, and a page scrolled to one shows the measure
// before it first; with room for about one measure a page, the walk still moves on at every page.
TEST(StaffPainter, APageWalkAlwaysMovesOn)
{
    CScoreView view;
    view.score.NewSong(1, 4, 2);
    view.score.SetTimeSignatureFrom(0, 3, 3);
    view.score.RebuildMeasureTable(false);
    view.score.SetTimeSignatureFrom(view.score.MeasureStartTick(1), 12, 2);
    view.score.RebuildMeasureTable(false);
    const int tick = view.score.MeasureStartTick(7);
    view.score.GetTrack(0)->InsertNote(false, tick, tick + view.score.division, 60, 100, 0, 0, 0, 0, 0, 0);
    PrepareHeadlessView(view, 300, 0, 1.0);
    int pages = 0;
    for (int measure = 0; measure <= LastSongMeasure(view); measure = NextPageMeasure(view, measure)) {
        ScrollToMeasure(view, measure);
        view.RedrawScore(true);
        ASSERT_LT(++pages, 10) << measure;
    }
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
            for (int measure = 0; measure <= last && measure < kStripMeasureCount;
                 measure = NextPageMeasure(view, measure)) {
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
