// Playback timing: note order and times at two tempi and divisions, tempo changes, the 30 ms step.
#include <algorithm>

#include "playback_fixture.h"

namespace {

struct TimingCase {
    int bpm;
    int division;
};

class PlaybackTiming : public PlaybackTest, public ::testing::WithParamInterface<TimingCase> {};

// A message due at `due` ms after the start is sent by the first 30 ms callback whose rounded
// position has reached its tick.
void ExpectOnTime(double sent, double due, double msPerTick, const char* what)
{
    EXPECT_GE(sent, due - msPerTick / 2) << what;
    EXPECT_LT(sent, due + 30 + msPerTick / 2) << what;
}

}  // namespace

TEST_P(PlaybackTiming, NotesInOrderAndOnTime)
{
    const TimingCase c = GetParam();
    song.division = static_cast<int16_t>(c.division);
    song.SetTempoAt(false, c.bpm, 0);
    const int q = c.division;  // a quarter note
    CTrack& track = Track(0);
    ASSERT_TRUE(track.InsertNote(false, 0, q, 60, 100, 0, 0, 0, 0, 0, 0));
    ASSERT_TRUE(track.InsertNote(false, q, 2 * q, 62, 101, 0, 0, 0, 0, 0, 0));
    ASSERT_TRUE(track.InsertNote(false, 2 * q, 3 * q, 64, 102, 0, 0, 0, 0, 0, 0));
    ASSERT_TRUE(track.InsertNote(false, 2 * q, 3 * q, 67, 103, 0, 0, 0, 0, 0, 0));

    startTime = MmClockNow();
    song.StartPlayback();
    PlayUntilStopped();
    const double msPerTick = 60000.0 / c.bpm / c.division;

    const struct {
        BYTE pitch;
        DWORD velocity;
        int start;
    } notes[] = {{60, 100, 0}, {62, 101, q}, {64, 102, 2 * q}, {67, 103, 2 * q}};
    for (auto [pitch, velocity, start] : notes) {
        std::vector<RecordedMidiMessage> on = MessagesOf(0x90, pitch), off = MessagesOf(0x80, pitch);
        ASSERT_EQ(1u, on.size()) << int(pitch);
        ASSERT_EQ(1u, off.size()) << int(pitch);
        EXPECT_EQ(0x90u | (pitch << 8) | (velocity << 16), on[0].message);
        ExpectOnTime(on[0].time - startTime, start * msPerTick, msPerTick, "note-on");
        // A note is switched off once the position has passed its end tick.
        ExpectOnTime(off[0].time - startTime, (start + q + 1) * msPerTick, msPerTick, "note-off");
    }
    // Notes starting together go out in list order: the higher pitch first.
    std::vector<DWORD> all = AllMessages();
    auto at = [&](DWORD message) { return std::find(all.begin(), all.end(), message) - all.begin(); };
    EXPECT_LT(at(0x674390), at(0x664090));
    EXPECT_LT(at(0x643C90), at(0x653E90));
}

INSTANTIATE_TEST_SUITE_P(TempiAndDivisions, PlaybackTiming,
                         ::testing::Values(TimingCase{100, 96}, TimingCase{120, 480}));

TEST_F(PlaybackTest, ThirtyMillisecondsAtTempo100Division96AreFiveTicks)
{
    song.StartPlayback();
    timeAdvanceManualClock(30);
    EXPECT_EQ(5, song.playTick);  // 4.8 rounded
    timeAdvanceManualClock(30);
    EXPECT_EQ(10, song.playTick);  // 9.6: the start time follows the ticks taken, so nothing drifts
}

TEST_F(PlaybackTest, SlowTicksWaitForAWholeTick)
{
    song.division = 1;
    song.SetTempoAt(false, 1, 0);  // 60 s per tick
    song.StartPlayback();
    timeAdvanceManualClock(600);
    EXPECT_EQ(0, song.playTick);
}

struct TempoChangeCase {
    int division;
    int changeTick;  // 30 bpm from here (the song starts at 120)
    int noteTick;
    double earliestMs;  // window of the note-on
    double latestMs;
};

class PlaybackTempoChange : public PlaybackTest, public ::testing::WithParamInterface<TempoChangeCase> {};

TEST_P(PlaybackTempoChange, AppliedWithinEightTicksElseSkipped)
{
    const TempoChangeCase c = GetParam();
    song.division = static_cast<int16_t>(c.division);
    song.SetTempoAt(false, 120, 0);
    song.SetTempoAt(true, 30, c.changeTick);
    ASSERT_TRUE(Track(0).InsertNote(false, c.noteTick, c.noteTick + 1, 72, 100, 0, 0, 0, 0, 0, 0));
    startTime = MmClockNow();
    song.StartPlayback();
    PlayUntilStopped();
    std::vector<RecordedMidiMessage> on = MessagesOf(0x90, 72);
    ASSERT_EQ(1u, on.size());
    EXPECT_GE(on[0].time - startTime, c.earliestMs);
    EXPECT_LT(on[0].time - startTime, c.latestMs);
}

INSTANTIATE_TEST_SUITE_P(MidSong, PlaybackTempoChange,
                         ::testing::Values(
                             // Division 96: about 6 ticks a callback, so the change at 384 is met within 8 ticks:
                             // 384 ticks at 120 bpm (2 s), then 96 at 30 bpm (2 s); the ticks by which the change was
                             // reached late passed at the old speed (up to 7 x 15.6 ms early).
                             TempoChangeCase{96, 384, 480, 4000.0 - 7 * 15.625 - 5, 4000.0 + 40},
                             // Division 480: positions 29, 58, ... jump past a change at 48 by 10 ticks: it is skipped
                             // and the note at two beats comes at 120 bpm.
                             TempoChangeCase{480, 48, 960, 1000.0 - 5, 1000.0 + 40}));
