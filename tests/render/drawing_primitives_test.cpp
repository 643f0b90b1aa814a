// Bars, bands, dots and repeat signs, pixel for pixel.
#include <gtest/gtest.h>

#include <functional>

#include "music_font_page.h"
#include "render/drawing_primitives.h"
#include "render/measure_marks.h"
#include "strip_song.h"
#include "tests/support/canvas.h"

namespace {

Ink InkOf(int width, const std::function<void(CDC*)>& draw)
{
    MusicFontPage page(width, 100);
    CDC* dc = CDC::FromHandle(page.dc());
    draw(dc);
    return page.InkOf();
}

void ExpectInk(const Ink& ink, int left, int top, int right, int bottom, const char* what)
{
    EXPECT_EQ(ink.left, left) << what;
    EXPECT_EQ(ink.top, top) << what;
    EXPECT_EQ(ink.right, right) << what;
    EXPECT_EQ(ink.bottom, bottom) << what;
}

TEST(DrawingPrimitives, BarsAndBandsHaveTheirExactThickness)
{
    ExpectInk(InkOf(100, [](CDC* dc) { DrawBar(dc, 10.0, 5, 30, 0.4); }), 10, 5, 11, 30, "thin bar");
    ExpectInk(InkOf(100, [](CDC* dc) { DrawBar(dc, 20.0, 5, 30, 6.0); }), 17, 5, 23, 30, "thick bar");
    ExpectInk(InkOf(100,
                    [](CDC* dc) {
                        FillBeamSegment(dc, {10, 20}, {40, 20}, 1.0, 0x808080);
                    }),
              10, 20, 40, 21, "beam 1");
    ExpectInk(InkOf(100,
                    [](CDC* dc) {
                        FillBeamSegment(dc, {10, 20}, {40, 20}, 0.5, 0x808080);
                    }),
              10, 20, 40, 21, "beam 0.5");
    ExpectInk(InkOf(100,
                    [](CDC* dc) {
                        FillBeamSegment(dc, {10, 20}, {40, 20}, 4.0, 0x808080);
                    }),
              10, 18, 40, 22, "beam 4");
    ExpectInk(InkOf(100,
                    [](CDC* dc) {
                        FillStemSegment(dc, {30, 10}, {30, 40}, 2.0, 0x808080);
                    }),
              29, 10, 31, 40, "stem 2");
    ExpectInk(InkOf(100, [](CDC* dc) { DrawDotPair(dc, 50, 50, 8.0); }), 49, 45, 52, 57, "dot pair");
}

TEST(DrawingPrimitives, Interpolate)
{
    EXPECT_EQ(Interpolate(5, 7, 5, 100, 40.0), 7.0);
    EXPECT_EQ(Interpolate(0, 0, 10, 5, 4.0), 2.0);
    EXPECT_EQ(Interpolate(10, 20, 30, 10, 25.0), 12.5);
}

TEST(MeasureMarks, RepeatSignsStandOnTheirBarLinesTowardsTheRepeatedMeasures)
{
    StripSong song;
    MeasureXTable table = song.Layout();  // measure 2's bar line at 730, measure 0's content at 114
    MeasureMarkRow row;
    row.measureX = &table;
    row.firstMeasure = 0;
    row.lastMeasure = 5;
    row.y = 50;
    row.unit = 8.0;
    row.rightEndX = 690;
    struct Case {
        const char* what;
        int value, measure, extend;
        int left, top, right, bottom;  // ink; all 0 when nothing is drawn
    };
    const Case cases[] = {
        {"start at measure 2", 0, 2, 0, 613, 34, 628, 67},
        {"end at the last painted measure", 1, 5, 0, 678, 34, 693, 67},
        {"end at the first painted measure", 1, 0, 0, 0, 0, 0, 0},
        {"start at the last painted measure", 0, 5, 0, 0, 0, 0, 0},
        {"past the painted measures", 0, 6, 0, 0, 0, 0, 0},
        {"up to the staff above", 0, 2, 1, 613, 0, 628, 67},
    };
    for (const Case& c : cases) {
        MeasureMark mark{c.value, c.measure, nullptr};
        row.extend = c.extend;
        ExpectInk(InkOf(700, [&](CDC* dc) { PaintMeasureMarks(dc, &mark, row); }), c.left, c.top, c.right, c.bottom,
                  c.what);
    }
}

TEST(MeasureMarks, SignsReachingTheStaffAboveKeepTheirDotsOnTheirOwnStaff)
{
    StripSong song;
    MeasureXTable table = song.Layout();
    MeasureMarkRow row;
    row.measureX = &table;
    row.lastMeasure = 5;
    row.y = 90;
    row.unit = 8.0;
    MeasureMark mark{0, 2, nullptr};
    Canvas alone(700, 120), joined(700, 120);
    PaintMeasureMarks(CDC::FromHandle(alone.dc()), &mark, row);
    row.extend = 1;
    PaintMeasureMarks(CDC::FromHandle(joined.dc()), &mark, row);
    // Below the row's top staff line the two pictures are the same: only the bars grow upwards.
    for (int y = 74; y < 120; ++y)
        for (int x = 600; x < 640; ++x)
            ASSERT_EQ(alone.At(x, y), joined.At(x, y)) << x << "," << y;
}

}  // namespace
