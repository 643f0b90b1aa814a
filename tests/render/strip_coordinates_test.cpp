// Tick to strip x and back, grid snapping and the music digits.
#include <gtest/gtest.h>

#include <string>

#include "render/strip_coordinates.h"
#include "strip_song.h"

namespace {

class StripCoordinates : public ::testing::Test {
protected:
    StripView View(int firstVisible = 0)
    {
        StripView view;
        view.measures = song.measures.data();
        view.division = 96;
        view.measureX = &table;
        view.stripOriginX = 50;
        view.firstVisibleMeasure = firstVisible;
        view.noteSpacing = 1.5;
        return view;
    }
    StripSong song;
    MeasureXTable table = song.Layout();
};

TEST_F(StripCoordinates, TickToStripX)
{
    struct Case {
        int tick, firstVisible, x;
    };
    const Case cases[] = {
        {-5, 0, 0},
        {0, 0, 50 + 104},                     // content starts cancel
        {383, 0, 50 + 104 + 287},             // 383 x 48 x 1.5 / 96 = 287.25, truncated after the base
        {384, 0, 50 + 104 + 432 - 114},       // a measure boundary belongs to the later measure
        {400, 0, 50 + 104 + 432 - 114 + 12},  // 16 ticks in: 8 x 1.5
        {400, 1, 50 + 104 + 12},              // scrolled to measure 1
        {200 * 384 + 960, 0, 50 + 104 + table[199].content - 114 + 384 * 3 / 4 + 720},  // past the strip
    };
    for (const Case& c : cases)
        EXPECT_EQ(TickToStripX(View(c.firstVisible), c.tick), c.x) << c.tick;
}

TEST_F(StripCoordinates, StripXToTickWithAndWithoutTheGrid)
{
    GridSnap off;
    GridSnap sixteenths{true, 4.0, 8.0, false};    // 12 48ths: 18 pixels
    GridSnap triplets{true, 4.0, 8.0, true};       // 24 x 2 / 3 = 16 48ths: 24 pixels
    GridSnap sixtyFourths{true, 1.0, 8.0, false};  // 3 48ths: 4.5 pixels, points at 0, 4, 9, 13, 18 ...
    const int content0 = 50 + 104;                 // page x of measure 0's content
    struct Case {
        int x;
        const GridSnap* grid;
        int tick;
    };
    const Case cases[] = {
        {0, &off, 0},  // left of measure 0's content
        {content0, &off, 0},
        {content0 + 3, &off, 3 * 96 / 72},  // 72 pixels a quarter
        {content0 + 8, &sixteenths, 0},
        {content0 + 9, &sixteenths, 24},
        {content0 + 26, &sixteenths, 24},
        {content0 + 27, &sixteenths, 48},
        {content0 + 11, &triplets, 0},
        {content0 + 12, &triplets, 32},
        {content0 + 4, &sixtyFourths, 6},
        {content0 + 6, &sixtyFourths, 6},  // 2 pixels past 4, 3 before 9
        {content0 + 7, &sixtyFourths, 12},
        {content0 + 13, &sixtyFourths, 18},
        {content0 + 287, &sixtyFourths, 384},  // the last point is the measure's end
        {content0 + 296, &off, 384},           // past the notes: the measure's end
        {content0 + 318, &off, 384},           // measure 1's content start
        {content0 + 318 + 36, &off, 384 + 48},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StripXToTick(View(), *c.grid, c.x), c.tick) << c.x;
}

TEST_F(StripCoordinates, RoundTripOnEveryGridPoint)
{
    struct Case {
        double gridValue, spacing;
        int division;
    };
    // 64ths fall on fractional pixels at most spacings; sixteenths and triplets as a check.
    const Case cases[] = {{1.0, 1.5, 96}, {1.0, 1.3, 96}, {1.0, 1.7, 480}, {1.0, 0.7, 96}, {4.0, 1.5, 96}};
    for (const Case& c : cases) {
        GridSnap grid{true, c.gridValue, 8.0, false};
        table = song.Layout(c.spacing);
        const int step = static_cast<int>(c.gridValue * 3.0) * c.division / 48;
        for (int firstVisible : {0, 1}) {
            StripView view = View(firstVisible);
            view.division = c.division;
            view.noteSpacing = c.spacing;
            for (int tick = firstVisible * 4 * c.division; tick < 4 * 4 * c.division; tick += step)
                EXPECT_EQ(StripXToTick(view, grid, TickToStripX(view, tick)), tick)
                    << tick << " at spacing " << c.spacing << ", grid " << c.gridValue;
        }
    }
}

TEST(SnapTick, RoundsToTheNearestGridPointHalvesLater)
{
    struct Case {
        int tick, division;
        double grid;
        int snapped;
    };
    const Case cases[] = {{11, 96, 4.0, 0},  {12, 96, 4.0, 24}, {35, 96, 4.0, 24}, {36, 96, 4.0, 48},
                          {-11, 96, 4.0, 0}, {-13, 96, 4.0, 0}, {7, 4, 4.0, 7},    {100, 96, 16.0, 96}};
    for (const Case& c : cases)
        EXPECT_EQ(SnapTick(c.tick, c.division, c.grid), c.snapped) << c.tick;
}

TEST(MusicDigits, DigitsBecomeTheFontsDigitCodes)
{
    for (auto [in, out] : {std::pair<std::string, std::string>{"12", "EF"}, {"3/4", "G/H"}, {"", ""}, {"90", "MD"}}) {
        std::string text = in;
        ToMusicDigits(text.data());
        EXPECT_EQ(text, out);
    }
}

}  // namespace
