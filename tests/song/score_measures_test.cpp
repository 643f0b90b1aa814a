// Measure arithmetic across time-signature changes and at the 200-measure limit.
#include <gtest/gtest.h>

#include "song/score.h"

TEST(ScoreMeasures, FourFourAtDivision96)
{
    CScore song;
    EXPECT_EQ(song.MeasureLength(0), 384);
    EXPECT_EQ(song.MeasureAtTick(-5), 0);
    EXPECT_EQ(song.MeasureAtTick(383), 0);
    EXPECT_EQ(song.MeasureAtTick(384), 1);
    EXPECT_EQ(song.MeasureStartTick(0), 0);
    EXPECT_EQ(song.MeasureStartTick(-3), 0);
    EXPECT_EQ(song.MeasureStartTick(3), 1152);
    EXPECT_EQ(song.TickAtMeasurePosition(2, 24), 768 + 48);
    EXPECT_EQ(song.TickAtMeasurePosition(201, 0), 0);
}

TEST(ScoreMeasures, PastMeasure200)
{
    CScore song;
    EXPECT_EQ(song.MeasureAtTick(200 * 384 + 5000), 199);
    EXPECT_EQ(song.MeasureStartTick(250), 200 * 384);
    EXPECT_EQ(song.TickAtMeasurePosition(200, 0), 200 * 384);
}

TEST(ScoreMeasures, TimeSignatureChanges)
{
    CScore song;
    // Each change is entered against the table as rebuilt after the one before.
    song.SetTimeSignatureFrom(768, 3, 3);  // 3/8 from measure 2
    song.RebuildTimeTable();
    song.SetTimeSignatureFrom(768 + 144 * 2, 6, 3);  // 6/8 from measure 4
    song.RebuildTimeTable();
    EXPECT_EQ(song.MeasureLength(1), 384);
    EXPECT_EQ(song.MeasureLength(2), 144);
    EXPECT_EQ(song.MeasureLength(4), 288);
    EXPECT_EQ(song.MeasureStartTick(4), 768 + 288);
    EXPECT_EQ(song.MeasureAtTick(768 + 288 + 287), 4);
    EXPECT_EQ(song.MeasureAtTick(768 + 288 + 288), 5);
    EXPECT_EQ(song.TickAtMeasurePosition(3, 48), 768 + 144 + 96);
    uint8_t numerator = 0, power = 0;
    song.TimeSignatureAt(1100, numerator, power);
    EXPECT_EQ(numerator, 6);
    EXPECT_EQ(power, 3);
}

TEST(ScoreMeasures, ChangeInsideMeasureTakesEffectFromItsStart)
{
    CScore song;
    song.SetTimeSignatureFrom(200, 3, 2);
    song.RebuildTimeTable();
    EXPECT_EQ(song.MeasureLength(0), 288);
}

TEST(ScoreMeasures, OutOfRangeSignaturesAreClamped)
{
    CScore song;
    song.SetTimeSignatureFrom(0, 4, 9);
    song.SetKeySignatureFrom(0, -12, 0);
    song.RebuildTimeTable();
    song.RebuildKeyTable();
    EXPECT_EQ(song.measureTable[0].denominator, 64);
    EXPECT_EQ(song.measureTable[0].keyKind, KEY_FLATS);
    EXPECT_EQ(song.measureTable[0].keyCount, 6);
    EXPECT_EQ(song.KeySignatureAt(0), -7);
    song.GetTrack(0)->BuildStaffPitchTable(false, 0);  // must stay inside its tables
}

TEST(ScoreMeasures, SignatureAndTempoLookups)
{
    CScore song;
    uint8_t numerator = 0, power = 0;
    song.NewSong(1, 4, 2);
    EXPECT_EQ(song.TempoAt(500), 100);
    EXPECT_EQ(song.KeySignatureAt(10), 0);
    song.SetKeySignatureFrom(768, 2, 0);
    EXPECT_EQ(song.KeySignatureAt(0), 2);  // the first change counts from the start
    song.SetKeySignatureFrom(1536, -1, 0);
    song.SetKeySignatureFrom(2304, 3, 0);
    song.SetKeySignatureFrom(1536, 4, 0);  // same tick stays ahead, later ones go
    int counts[3] = {};
    int n = 0;
    for (KeySignatureChange* k = song.keyList; k; k = k->next)
        counts[n++] = k->count;
    ASSERT_EQ(n, 3);
    EXPECT_EQ(counts[0], 2);
    EXPECT_EQ(counts[1], -1);
    EXPECT_EQ(counts[2], 4);
    song.TimeSignatureAt(0, numerator, power);
    EXPECT_EQ(numerator, 4);
    song.SetTempoAt(false, 120, 0);
    song.SetTempoAt(true, 90, 384);
    EXPECT_EQ(song.TempoAt(384), 120);
    EXPECT_EQ(song.TempoAt(385), 90);
    song.SetTempoAt(false, 0, 0);  // zero is refused as a divisor
    EXPECT_EQ(song.tempoList->bpm, 1);
    EXPECT_EQ(song.tempoList->next, nullptr);
}

TEST(ScoreMeasures, LongMeasuresAtAFineDivisionStayInRange)
{
    CScore song;
    song.division = 32767;
    song.SetTimeSignatureFrom(0, 127, 0);
    song.RebuildTimeTable();
    EXPECT_EQ(song.MeasureLength(0), 192 * 127 * 32767 / 48);
    EXPECT_EQ(song.MeasureStartTick(200), INT32_MAX);
    EXPECT_EQ(song.MeasureAtTick(INT32_MAX), 129);
}
