// Staff position <-> pitch in each clef and key, and the spelling of black keys.
#include <gtest/gtest.h>

#include "song/score.h"

namespace {

void SetKey(CScore& song, int count)
{
    song.SetKeySignatureFrom(0, static_cast<int8_t>(count), 0);
    song.RebuildKeyTable();
}

}  // namespace

TEST(TrackStaff, NewTrackDefaults)
{
    CTrack t;
    EXPECT_EQ(t.GetInstrumentName(), "---");
    EXPECT_EQ(t.GetProgram(), 0);
    EXPECT_EQ(t.GetChannel(), 0);
    EXPECT_TRUE(t.IsAudible());
    EXPECT_FALSE(t.IsShown());
    EXPECT_EQ(t.splitPitch, 60);
    EXPECT_EQ(t.middleCPositions[3], 16);
}

TEST(TrackStaff, PitchTablePerClef)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    t->BuildStaffPitchTable(false, 0);
    EXPECT_EQ(t->staffPitchTable[0], 108);
    EXPECT_EQ(t->staffPitchTable[28], 60);
    EXPECT_EQ(t->staffPitchTable[56], 12);
    EXPECT_EQ(t->staffPitchTable[26], 64);  // bottom line E4
    t->BuildStaffPitchTable(true, 0);
    EXPECT_EQ(t->staffPitchTable[16], 60);
    EXPECT_EQ(t->staffPitchTable[26], 43);  // bottom line G2
    EXPECT_EQ(t->staffPitchTable[51], 0);
    EXPECT_EQ(t->staffPitchTable[56], 0);
    song.SetClefFrom(false, 0, 0, CLEF_ALTO);
    t->BuildStaffPitchTable(false, 0);
    EXPECT_EQ(t->staffPitchTable[22], 60);
    song.SetClefFrom(true, 0, 0, CLEF_TENOR);
    t->BuildStaffPitchTable(false, 0);
    EXPECT_EQ(t->staffPitchTable[20], 60);
}

TEST(TrackStaff, ReferencePitchPerKey)
{
    struct Case {
        int key;
        int pitch;
    } cases[] = {{0, 60}, {1, 67}, {-1, 65}, {5, 59}, {-2, 58}, {3, 69}, {7, 61}, {-7, 59}};
    for (const Case& c : cases) {
        CScore song;
        SetKey(song, c.key);
        CTrack* t = song.GetTrack(0);
        t->BuildStaffPitchTable(false, 0);
        EXPECT_EQ(t->referencePitch, c.pitch) << "key " << c.key;
    }
}

TEST(TrackStaff, KeyRaisesAndLowersTable)
{
    CScore song;
    SetKey(song, 2);  // D major: F# and C#
    CTrack* t = song.GetTrack(0);
    t->BuildStaffPitchTable(false, 0);
    EXPECT_EQ(t->staffPitchTable[28], 61);
    EXPECT_EQ(t->staffPitchTable[25], 66);
    EXPECT_EQ(t->staffPitchTable[27], 62);
    EXPECT_EQ(t->StaffPositionToPitch(t->referencePosition - 2), 66);  // third degree of D major
    EXPECT_EQ(t->KeyAccidentalAt(0, 25, 65, false), 1);
    EXPECT_EQ(t->KeyAccidentalAt(0, 24, 67, false), 0);
}

TEST(TrackStaff, SpellingOfBlackKeys)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    t->BuildStaffPitchTable(false, 0);
    EXPECT_EQ(t->StaffPositionOfPitch(0, 61), 27);  // D position
    EXPECT_EQ(t->AccidentalOfPitch(0, 61, t->referencePitch), -1);
    EXPECT_EQ(t->AccidentalOfPitch(0, 62, t->referencePitch), 0);
    SetKey(song, -1);
    t->BuildStaffPitchTable(false, 0);
    EXPECT_EQ(t->StaffPositionOfPitch(0, 61), 28);  // C position
    EXPECT_EQ(t->AccidentalOfPitch(0, 61, t->referencePitch), 1);
    EXPECT_EQ(t->KeyAccidentalAt(0, 22, 71, false), -1);  // B flat on the middle line
}

TEST(TrackStaff, PositionsAroundMiddleC)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    struct Case {
        int pitch;
        int gPosition;
        int bassPosition;
    } cases[] = {{60, 28, 16}, {59, 29, 17}, {48, 35, 23}, {72, 21, 9}, {43, 38, 26}, {77, 18, 6}};
    for (const Case& c : cases) {
        EXPECT_EQ(t->StaffPositionOfPitchEx(false, 0, c.pitch), c.gPosition) << c.pitch;
        EXPECT_EQ(t->StaffPositionOfPitchEx(true, 0, c.pitch), c.bassPosition) << c.pitch;
        EXPECT_EQ(t->PitchAtStaffPosition(c.gPosition, 0, c.pitch, 0), c.pitch);
        EXPECT_EQ(t->PitchAtStaffPosition(c.bassPosition, 0, c.pitch, 1), c.pitch);
    }
    // Piano staff: below the split pitch the lower staff's bass clef.
    song.SetClefFrom(false, 0, 0, CLEF_PIANO);
    EXPECT_EQ(t->StaffPositionOfPitch(0, 48), 23);
    EXPECT_EQ(t->StaffPositionOfPitch(0, 64), 26);
}

TEST(TrackStaff, AccidentalSnapsPitchToStaff)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    t->BuildStaffPitchTable(false, 0);
    // A sharp given for 63: its natural 62 is D's pitch, so it stays.
    ASSERT_EQ(t->InsertNote(false, 0, 96, 63, 90, 1, 0, 0, 0, 0, 0), 1);
    EXPECT_EQ(t->notes->pitch, 63);
    EXPECT_EQ(t->notes->accidental, 1);
    // A sharp given for 62: 61 is written on D's position, whose natural is 62, so the pitch becomes 63.
    ASSERT_EQ(t->InsertNote(false, 96, 192, 62, 90, 1, 0, 0, 0, 0, 0), 1);
    EXPECT_EQ(t->notes->next->pitch, 63);
}

TEST(TrackStaff, ScaleSteps)
{
    CScore song;
    SetKey(song, 1);  // G major
    EXPECT_EQ(song.ScaleStepOfPitch(0, 67, 0), 1);
    EXPECT_EQ(song.ScaleStepOfPitch(0, 66, 0), 7);
    EXPECT_EQ(song.ScaleStepOfPitch(0, 71, 0), 3);
    EXPECT_EQ(song.ScaleStepOfPitch(0, 60, 0), 4);
}
