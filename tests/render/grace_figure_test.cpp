// Grace-note figures: ledger segments from the middle line, stems and beams of groups.
#include <gtest/gtest.h>

#include "music_font_page.h"
#include "render/grace_figure.h"

namespace {

class GraceFigure : public ::testing::Test {
protected:
    GraceFigure()
    {
        track.referencePitch = 60;
        track.staffPosition = [](int, int, int pitch) {
            static const int kStep[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
            return 28 - ((pitch / 12 - 5) * 7 + kStep[pitch % 12]);  // treble clef
        };
    }
    void Paint(std::initializer_list<int> steps, int beams)
    {
        ASSERT_TRUE(page.Registered());
        page.Clear();
        TrackRecord40 figure;
        figure.beamCount = (int8_t)beams;
        figure.noteCount = (int8_t)steps.size();
        int i = 0;
        for (int step : steps)
            figure.steps[i++] = (int8_t)step;
        PaintGraceFigure(CDC::FromHandle(page.dc()), track, kX, kY, figure, 8.0);
    }
    int InkedRows(int x, int from, int to) const
    {
        int n = 0;
        for (int y = from; y < to; ++y)
            n += page.Inked(x, y);
        return n;
    }

    static constexpr int kX = 60, kY = 100;  // first note's left edge, middle staff line
    MusicFontPage page{200, 200};
    GraceFigureTrack track;
};

TEST_F(GraceFigure, LedgerSegmentsRunFromTheMiddleLineToTheHead)
{
    struct Case {
        int step, octaves, direction, segments;
    };
    const Case cases[] = {
        {7, 0, 0, 0},  // B on the middle line
        {1, 0, 0, 4},  // middle C: the middle line, two staff lines and one ledger line
        {1, 2, 1, 5},  // C two octaves up, two units above the top line
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(page.Registered());
        page.Clear();
        TrackRecord40 figure;
        figure.noteCount = 1;
        figure.steps[0] = (int8_t)c.step;
        figure.octaves[0] = (int8_t)c.octaves;
        figure.directions[0] = (int8_t)c.direction;
        PaintGraceFigure(CDC::FromHandle(page.dc()), track, kX, kY, figure, 8.0);
        EXPECT_EQ(InkedRows(kX - 2, 0, 200), c.segments) << c.step;
    }
}

TEST_F(GraceFigure, RisingGroupBeamsFromHalfAUnitBelowTheTopHeadToItsLevel)
{
    // C D E F: heads at 124, 120, 116 and 112; stems at the right of each 5-pixel head.
    Paint({1, 2, 3, 4}, 1);
    EXPECT_EQ(InkedRows(kX + 5, 100, 125), 25);  // the first stem up to the beam's start
    EXPECT_TRUE(page.Inked(kX + 5, 102));        // 3 pixels of beam
    EXPECT_TRUE(page.Inked(kX + 29, 97));        // the last stem up to the beam's end at 96 (lines end short)
    EXPECT_FALSE(page.Inked(kX + 29, 95));
    EXPECT_EQ(InkedRows(kX + 17, 90, 100), 2);  // one beam, 3 pixels thick, the third on the middle line
    Paint({1, 2, 3, 4}, 0);
    EXPECT_EQ(InkedRows(kX + 17, 90, 100), 0);  // stems without beams
    EXPECT_TRUE(page.Inked(kX + 29, 97));
}

}  // namespace
