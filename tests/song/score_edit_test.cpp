// Reset, track order, measure insertion and deletion, time scaling, measure marks and SP-MIDI priorities.
#include <gtest/gtest.h>

#include <vector>

#include "song/score.h"

TEST(ScoreEdit, NewSongAfterReset)
{
    CScore song;
    song.GetTrack(0)->InsertNote(false, 0, 96, 60, 100, 0, 0, 0, 0, 0, 0);
    song.SetTempoAt(false, 140, 0);
    song.fileName = "x.mid";
    song.Reset();
    EXPECT_EQ(song.format, 1);
    EXPECT_EQ(song.trackCount, 2);
    EXPECT_EQ(song.division, 96);
    EXPECT_EQ(song.tempo, 100);
    EXPECT_EQ(song.playState, 2);
    EXPECT_EQ(song.tempoList, nullptr);
    EXPECT_EQ(song.keyList, nullptr);
    ASSERT_NE(song.timeList, nullptr);
    EXPECT_EQ(song.timeList->numerator, 4);
    EXPECT_EQ(song.GetTrackNotes(0), nullptr);
    EXPECT_TRUE(song.fileName.IsEmpty());
    EXPECT_EQ(song.CountShownTracks(), 4);
    EXPECT_EQ(song.LastShownTrackCount(), 4);
    EXPECT_EQ(song.GetTrack(3)->GetChannel(), 9);
    EXPECT_EQ(song.GetTrack(3)->GetProgram(), 128);
    EXPECT_EQ(song.GetTrack(1)->GetProgram(), 22);
    EXPECT_EQ(song.GetTrack(1)->GetInstrumentName(), "Harmonica");
    EXPECT_EQ(song.GetTrack(7)->priority, 8);
    EXPECT_EQ(song.lineGaps[999], 4.0);
    EXPECT_EQ(song.measureValues[29][199], 1);
    EXPECT_EQ(song.timeScale, 1.0);

    // The track count counts the conductor track too: a song of no tracks has only that one.
    for (int tracks : {0, 5, 30}) {
        song.NewSong(tracks, 3, 2);
        EXPECT_EQ(song.trackCount, tracks + 1);
    }
}

TEST(ScoreEdit, MoveTrack)
{
    CScore song;
    CTrack* before[6];
    for (int i = 0; i < 6; ++i)
        before[i] = song.GetTrack(i);
    song.MoveTrack(2, 3);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(song.GetTrack(i), before[i]);
    song.MoveTrack(0, 5);
    EXPECT_EQ(song.GetTrack(0), before[0]);
    EXPECT_EQ(song.GetTrack(1), before[5]);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(song.GetTrack(i + 1), before[i]);
    song.MoveTrack(5, 1);  // back again: after the track now in slot 5
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(song.GetTrack(i), before[i]);
}

TEST(ScoreEdit, DeleteMeasuresShiftsEveryList)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    t->InsertNote(false, 800, 900, 60, 100, 0, 0, 0, 0, 0, 0);    // inside measure 2
    t->InsertNote(false, 1200, 1300, 62, 100, 0, 0, 0, 0, 0, 0);  // measure 3
    t->InsertControl(0xB0, 7, 90, 1160);
    t->InsertPlacedSymbol(1, 1500, 0, 0, 0);
    uint8_t byte = 1;
    t->InsertDataEvent(1152, 1, &byte);
    song.SetTempoAt(true, 120, 2000);
    song.InsertSysEx(1600, 1, &byte);
    song.InsertMeasureMark(0, 5);
    song.InsertMeasureMark(1, 2);
    TextAnnotation a;
    a.tick = 1700;
    song.InsertTextAnnotation(a);
    song.InsertDeleteMeasures(false, 2, 1);
    ASSERT_NE(t->notes, nullptr);
    EXPECT_EQ(t->notes->start, 1200 - 384);
    EXPECT_EQ(t->notes->end, 1300 - 384);
    EXPECT_EQ(t->notes->next, nullptr);
    EXPECT_EQ(t->controls->next->tick, 1160 - 384);  // after the program change at 0
    EXPECT_EQ(t->placedSymbols->tick, 1500 - 384);
    EXPECT_EQ(t->dataEvents->tick, 768);
    EXPECT_EQ(song.tempoList->tick, 2000 - 384);
    EXPECT_EQ(song.sysExList->tick, 1600 - 384);
    EXPECT_EQ(song.annotations->tick, 1700 - 384);
    ASSERT_NE(song.measureMarks, nullptr);
    EXPECT_EQ(song.measureMarks->measure, 4);
    EXPECT_EQ(song.measureMarks->next, nullptr);
}

TEST(ScoreEdit, InsertMeasuresShifts)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    t->InsertNote(false, 100, 200, 60, 100, 0, 0, 0, 0, 0, 0);
    t->InsertNote(false, 400, 500, 62, 100, 0, 0, 0, 0, 0, 0);
    song.SetTimeSignatureFrom(384, 3, 2);
    song.RebuildTimeTable();
    song.InsertMeasureMark(0, 1);
    song.InsertDeleteMeasures(true, 1, 2);  // two 3/4 measures at measure 1
    EXPECT_EQ(t->notes->start, 100);
    EXPECT_EQ(t->notes->next->start, 400 + 576);
    EXPECT_EQ(song.timeList->next->tick, 384 + 576);
    EXPECT_EQ(song.measureMarks->measure, 3);
    EXPECT_EQ(song.MeasureLength(0), 384);
    EXPECT_EQ(song.MeasureLength(1), 384);  // the inserted room is 4/4 until the moved change
}

TEST(ScoreEdit, ScaleTimesDoesNotCompound)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    t->InsertNote(false, 101, 203, 60, 100, 0, 0, 0, 0, 0, 0);
    CurveMark m;
    m.tick1 = 10;
    m.tick2 = 20;
    m.tick3 = 31;
    t->InsertCurveMark(m);
    song.SetTempoAt(true, 120, 55);
    uint8_t byte = 0;
    song.InsertSysEx(77, 1, &byte);
    song.ScaleTimes(2.0);
    EXPECT_EQ(t->notes->start, 202);
    EXPECT_EQ(t->notes->end, 406);
    EXPECT_EQ(t->curveMarks->tick3, 62);
    EXPECT_EQ(song.tempoList->tick, 110);
    EXPECT_EQ(song.sysExList->tick, 77);  // kept
    song.ScaleTimes(1.0);
    EXPECT_EQ(t->notes->start, 101);
    EXPECT_EQ(t->notes->end, 203);
    EXPECT_EQ(song.timeScale, 1.0);
    song.ScaleTimes(2.0);
    song.ScaleTimes(1.5);  // from the unscaled ticks, not from the doubled ones
    EXPECT_EQ(t->notes->start, 151);
}

TEST(ScoreEdit, MeasureMarks)
{
    CScore song;
    MeasureMark* first = song.InsertMeasureMark(0, 3);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(song.InsertMeasureMark(0, 3), first);  // the existing node, never a stand-in value
    song.InsertMeasureMark(1, 1);
    EXPECT_EQ(song.measureMarks->measure, 1);
    EXPECT_EQ(song.HasMeasureMark(3, 0), 1);
    EXPECT_EQ(song.HasMeasureMark(3, 1), 0);
    MeasureMark p;
    p.value = 0;
    p.measure = 3;
    EXPECT_EQ(song.DeleteMeasureMark(p), 1);
    EXPECT_EQ(song.DeleteMeasureMark(p), 0);
}

TEST(ScoreEdit, SpMidiPriorities)
{
    CScore song;
    song.GetTrack(0)->SetChannel(0);
    song.GetTrack(1)->SetChannel(1);
    song.GetTrack(2)->SetChannel(1);
    const uint8_t mip[] = {0x7F, 0x7F, 0x0B, 0x01, 0x01, 0x02, 0x00, 0x04, 0xF7};
    song.InsertSysEx(0, sizeof mip, mip);
    song.ApplySpMidiPriorities();
    EXPECT_EQ(song.spMidiFlag, 1);
    EXPECT_EQ(song.GetTrack(0)->priority, 2);
    EXPECT_EQ(song.GetTrack(1)->priority, 1);
    EXPECT_EQ(song.GetTrack(2)->priority, 1);
}

TEST(ScoreEdit, RespellChoosesClefByMeanPitch)
{
    CScore song;
    song.trackCount = 3;
    song.GetTrack(0)->InsertNote(false, 0, 96, 40, 100, 0, 0, 0, 0, 0, 0);
    song.GetTrack(1)->InsertNote(false, 0, 96, 70, 100, 0, 0, 0, 0, 0, 0);
    song.RebuildMeasureTable(true);
    EXPECT_EQ(song.GetTrack(0)->ClefAtTick(0), CLEF_BASS);
    EXPECT_EQ(song.GetTrack(1)->ClefAtTick(0), CLEF_G);
    EXPECT_EQ(song.measureClefTable[0][10], CLEF_BASS);
    EXPECT_EQ(song.GetTrack(1)->notes->accidental, -1);
}
