// The measure strip: bar-line and content x of measures, with the gaps for clef, time and key changes.
#include <gtest/gtest.h>

#include "strip_song.h"

namespace {

TEST(MeasureStrip, PlainFourFourAtSpacingOneAndAHalf)
{
    StripSong song;
    MeasureXTable table = song.Layout();
    EXPECT_EQ(table[0].start, 50);
    EXPECT_EQ(table[0].content, 114);
    EXPECT_EQ(table[1].start, 412);  // 114 + 4 x 48 x 1.5 + 10
    EXPECT_EQ(table[1].content, 432);
    EXPECT_EQ(table[2].start, 730);
}

TEST(MeasureStrip, ChangesWidenTheHeadOfTheirMeasure)
{
    struct Case {
        const char* what;
        void (*change)(StripSong&);
        int firstContent;  // content x of measure 0 less 114
        int gap;           // content x of measure 5 less its bar x less 20
    };
    const Case cases[] = {
        {"one sharp from the start",
         [](StripSong& s) {
             for (auto& m : s.measures)
                 m = {4, 4, KEY_SHARPS, 0};
         },
         0, 0},
        {"three sharps from the start",
         [](StripSong& s) {
             for (auto& m : s.measures)
                 m = {4, 4, KEY_SHARPS, 2};
         },
         12, 0},
        {"time change",
         [](StripSong& s) {
             s.measures[5] = {3, 4, KEY_NONE, 0};
         },
         0, 30},
        {"key change",
         [](StripSong& s) {
             s.measures[5] = {4, 4, KEY_FLATS, 1};
         },
         0, 53},
        {"clef change", [](StripSong& s) { s.clefs[5] = 3; }, 0, 20},
        {"clef change in a key",
         [](StripSong& s) {
             for (auto& m : s.measures)
                 m = {4, 4, KEY_FLATS, 0};
             s.clefs[5] = 3;
         },
         0, 66},
        {"clef and key change",
         [](StripSong& s) {
             s.clefs[5] = 3;
             s.measures[5] = {4, 4, KEY_SHARPS, 0};
         },
         0, 73},
    };
    for (const Case& c : cases) {
        StripSong song;
        c.change(song);
        MeasureXTable table = song.Layout();
        EXPECT_EQ(table[0].content - 114, c.firstContent) << c.what;
        EXPECT_EQ(table[5].content - table[5].start - 20, c.gap) << c.what;
        // The bar line of the changed measure stays where the width of the measure before puts it.
        EXPECT_EQ(table[5].start, static_cast<int>(table[4].content + 288 + 10.0)) << c.what;
    }
}

// Zoomed, the clef and signatures grow, and so does the room the strip keeps for them; the notes' width follows
// the spacing alone.
TEST(MeasureStrip, TheFixedRoomGrowsWithTheZoom)
{
    StripSong song;
    song.measures[5] = {3, 4, KEY_FLATS, 1};
    MeasureXTable table;
    LayoutTrackMeasures(song.measures.data(), song.clefs.data(), 1.5, table, 2.0);
    EXPECT_EQ(table[0].start, 50);
    EXPECT_EQ(table[0].content, 50 + 128);
    EXPECT_EQ(table[1].start, 178 + 288 + 20);
    EXPECT_EQ(table[1].content, table[1].start + 40);
    EXPECT_EQ(table[5].content - table[5].start, 2 * (20 + 30 + 53));
    EXPECT_EQ(MeasureBarX(song.measures.data(), table, 1.5, 200, 2.0), (int)(table[199].content + 288 + 20));
}

TEST(MeasureStrip, BarAfterTheLastMeasureEndsMeasure199)
{
    StripSong song;
    MeasureXTable table = song.Layout(1.0);
    EXPECT_EQ(MeasureBarX(song.measures.data(), table, 1.0, 5), table[5].start);
    EXPECT_EQ(MeasureBarX(song.measures.data(), table, 1.0, 200), table[199].content + 192 + 10);
    EXPECT_EQ(MeasureBarX(song.measures.data(), table, 1.0, 250), table[199].content + 192 + 10);
}

TEST(MeasureStrip, LengthsIn48thsAndTicks)
{
    struct Case {
        MeasureInfo info;
        int length48;
        int ticksAt96;
    };
    const Case cases[] = {{{4, 4, 0, 0}, 192, 384}, {{3, 8, 0, 0}, 72, 144}, {{6, 16, 0, 0}, 72, 144},
                          {{2, 2, 0, 0}, 192, 384}, {{5, 64, 0, 0}, 15, 30}, {{4, 0, 0, 0}, 192, 384}};
    for (const Case& c : cases) {
        EXPECT_EQ(MeasureLength48(c.info), c.length48) << (int)c.info.numerator << "/" << (int)c.info.denominator;
        EXPECT_EQ(MeasureLengthTicks(c.info, 96), c.ticksAt96);
    }
}

}  // namespace
