// Playback events: programs and controllers, overlapping notes, the end of the song, the loop range,
// stop and toggle, a failing timer, and edits made while the song plays.
#include <algorithm>
#include <chrono>
#include <thread>

#include "playback_fixture.h"

namespace {

std::vector<DWORD> ChannelReset(bool resetControllers)
{
    std::vector<DWORD> out;
    for (DWORD channel = 0; channel < 16; ++channel) {
        out.push_back(0x7BB0 | channel);
        if (resetControllers)
            out.push_back(0x79B0 | channel);
    }
    return out;
}

}  // namespace

TEST_F(PlaybackTest, ProgramAndControllerEvents)
{
    song.EnsureTrackCount(1);
    Track(0).SetInstrument(40);  // program change 40 at tick 0, channel 0
    ASSERT_NE(nullptr, Track(0).InsertControl(0xB0, 7, 90, 96));
    ASSERT_NE(nullptr, Track(1).InsertControl(0xE0, 0x00, 0x50, 0));  // pitch bend on track 1's channel 1
    ASSERT_TRUE(Track(0).InsertNote(false, 96, 192, 60, 100, 0, 0, 0, 0, 0, 0));
    song.StartPlayback();
    PlayUntilStopped();

    std::vector<DWORD> all = AllMessages();
    ASSERT_GT(all.size(), 40u);
    const std::vector<DWORD> reset = ChannelReset(true);
    EXPECT_EQ(reset, std::vector<DWORD>(all.begin(), all.begin() + 32)) << "the start rewind switches all off";
    // At tick 96: the controller, then the note with its track's program ahead of it. Controls of
    // tick 0 were left to the rewinds that follow loading and the end of the song.
    EXPECT_EQ((std::vector<DWORD>{0x5A07B0, 0x28C0, 0x643C90}), std::vector<DWORD>(all.begin() + 32, all.begin() + 35));
    std::vector<DWORD> resent(all.end() - 3, all.end());  // in the order of the control lists
    std::sort(resent.begin(), resent.end());
    EXPECT_EQ((std::vector<DWORD>{0x16C1, 0x28C0, 0x5000E1}), resent);
}

TEST_F(PlaybackTest, OverlappingSamePitchSwitchesOffOnce)
{
    ASSERT_TRUE(Track(0).InsertNote(false, 0, 192, 60, 100, 0, 0, 0, 0, 0, 0));
    ASSERT_TRUE(Track(0).InsertNote(false, 96, 288, 60, 90, 0, 0, 0, 0, 0, 0));
    startTime = MmClockNow();
    song.StartPlayback();
    PlayUntilStopped();
    EXPECT_EQ(2u, MessagesOf(0x90, 60).size());
    std::vector<RecordedMidiMessage> off = MessagesOf(0x80, 60);
    ASSERT_GE(off.size(), 1u);
    EXPECT_GT(off[0].time - startTime, 288 * 6.25) << "the first note's off is suppressed while the second sounds";
}

TEST_F(PlaybackTest, MutedTrackIsSilent)
{
    song.EnsureTrackCount(2);
    ASSERT_TRUE(Track(0).InsertNote(false, 0, 96, 60, 100, 0, 0, 0, 0, 0, 0));
    ASSERT_TRUE(Track(1).InsertNote(false, 0, 96, 64, 100, 0, 0, 0, 0, 0, 0));
    ASSERT_TRUE(Track(1).InsertNote(false, 192, 288, 67, 100, 0, 0, 0, 0, 0, 0));
    Track(1).SetAudible(false);
    song.StartPlayback();
    PlayUntilStopped();
    EXPECT_EQ(1u, MessagesOf(0x90, 60).size()) << "the other track plays";
    EXPECT_EQ(1u, MessagesOf(0x80, 60).size());
    for (BYTE pitch : {64, 67}) {
        EXPECT_TRUE(MessagesOf(0x90, pitch).empty()) << int(pitch);
        EXPECT_TRUE(MessagesOf(0x80, pitch).empty()) << int(pitch);
    }
}

TEST_F(PlaybackTest, SongRunsOnToTheEndOfItsLastMeasureThenRewinds)
{
    ASSERT_TRUE(Track(0).InsertNote(false, 768, 900, 60, 100, 0, 0, 0, 0, 0, 0));  // ends inside measure 3
    startTime = MmClockNow();
    song.StartPlayback();
    PlayUntilStopped();
    EXPECT_EQ(2, song.playState);
    EXPECT_EQ(0, song.playTick);
    std::vector<Post> posts = Posts();
    ASSERT_FALSE(posts.empty());
    EXPECT_EQ(-1, posts.back().lParam);
    EXPECT_EQ(1, std::count_if(posts.begin(), posts.end(), [](const Post& p) { return p.lParam == -1; }));
    // Measure 4 starts at tick 1152: 7200 ms at 6.25 ms a tick.
    EXPECT_GE(posts.back().time - startTime, 7200 - 4);
    EXPECT_LT(posts.back().time - startTime, 7200 + 34);
    EXPECT_GE(posts[posts.size() - 2].lParam, 11) << "positions are posted in beats";
    EXPECT_LE(posts[posts.size() - 2].lParam, 12);
    // The position is back at 0 and the controller state of tick 0 was sent again.
    std::vector<DWORD> all = AllMessages();
    EXPECT_EQ(0x00C0u, all.back());
}

TEST_F(PlaybackTest, LoopRangeStopsAtItsEnd)
{
    const BYTE pitches[] = {60, 62, 64, 65};
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(Track(0).InsertNote(false, 240 * i, 240 * (i + 1), pitches[i], 100, 0, 0, 0, 0, 0, 0));
    song.playMode = 2;
    song.loopPlay = 1;
    song.loopStart = 960 * 25 / 100;
    song.loopEnd = 960 * 50 / 100;
    startTime = MmClockNow();
    song.StartPlayback();
    PlayUntilStopped();
    EXPECT_EQ(2, song.playState);
    EXPECT_EQ(240, song.playTick);
    EXPECT_TRUE(MessagesOf(0x90, 60).empty());
    EXPECT_EQ(1u, MessagesOf(0x90, 62).size());
    EXPECT_TRUE(MessagesOf(0x90, 65).empty());
    std::vector<Post> posts = Posts();
    ASSERT_FALSE(posts.empty());
    EXPECT_EQ(-1, posts.back().lParam);
    // Ticks 240 to 478 take 1487.5 ms.
    EXPECT_GE(posts.back().time - startTime, 1487.5 - 4);
    EXPECT_LT(posts.back().time - startTime, 1487.5 + 34);
}

TEST_F(PlaybackTest, StopSwitchesNotesOffResetsChannelsAndPostsMinusOne)
{
    ASSERT_TRUE(Track(0).InsertNote(false, 0, 3840, 60, 100, 0, 0, 0, 0, 0, 0));
    song.StartPlayback();
    timeAdvanceManualClock(200);
    midiOutClearRecording();
    song.StopPlayback();
    std::vector<DWORD> expected{0x643C80};
    for (DWORD m : ChannelReset(true))
        expected.push_back(m);
    EXPECT_EQ(expected, AllMessages());
    EXPECT_EQ(2, song.playState);
    ASSERT_FALSE(Posts().empty());
    EXPECT_EQ(-1, Posts().back().lParam);

    midiOutClearRecording();
    timeAdvanceManualClock(200);
    song.StopPlayback();  // stopped already: only the post
    EXPECT_TRUE(AllMessages().empty());
    EXPECT_EQ(-1, Posts().back().lParam);
}

TEST_F(PlaybackTest, SecondStartRequestStopsAndPostsZero)
{
    ASSERT_TRUE(Track(0).InsertNote(false, 0, 3840, 60, 100, 0, 0, 0, 0, 0, 0));
    song.StartPlaybackThread();
    for (int i = 0; i < 2000 && song.playState != 1; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(1, song.playState);
    timeAdvanceManualClock(100);
    song.StartPlayback();
    EXPECT_EQ(2, song.playState);
    EXPECT_EQ(0, Posts().back().lParam);
    const size_t count = AllMessages().size();
    timeAdvanceManualClock(200);
    EXPECT_EQ(count, AllMessages().size()) << "no callback after the stop";
}

TEST_F(PlaybackTest, FailingTimerLeavesTheSongStopped)
{
    song.timerPeriod = 0;  // the timer refuses a zero period
    song.StartPlayback();
    EXPECT_EQ(2, song.playState);
    ASSERT_FALSE(Posts().empty());
    EXPECT_EQ(-1, Posts().back().lParam);
}

TEST_F(PlaybackTest, EditsWhilePlayingAreFollowed)
{
    CTrack& track = Track(0);
    ASSERT_TRUE(track.InsertNote(false, 0, 96, 60, 100, 0, 0, 0, 0, 0, 0));
    ASSERT_TRUE(track.InsertNote(false, 384, 480, 62, 100, 0, 0, 0, 0, 0, 0));
    ASSERT_TRUE(track.InsertNote(false, 768, 864, 64, 100, 0, 0, 0, 0, 0, 0));
    song.StartPlayback();
    timeAdvanceManualClock(300);  // tick 48: the next note due is 62
    NoteEvent* next = track.notes->next;
    ASSERT_EQ(62, next->pitch);
    ASSERT_TRUE(track.DeleteNote(next));
    ASSERT_TRUE(track.InsertNote(false, 192, 288, 67, 100, 0, 0, 0, 0, 0, 0));
    PlayUntilStopped();
    EXPECT_EQ(1u, MessagesOf(0x90, 60).size());
    EXPECT_TRUE(MessagesOf(0x90, 62).empty());
    EXPECT_EQ(1u, MessagesOf(0x90, 67).size());
    EXPECT_EQ(1u, MessagesOf(0x90, 64).size());
}

TEST_F(PlaybackTest, ResetAndDestructionStopAPlayingSong)
{
    ASSERT_TRUE(Track(0).InsertNote(false, 0, 960, 60, 100, 0, 0, 0, 0, 0, 0));
    song.StartPlayback();
    timeAdvanceManualClock(100);
    song.Reset();
    EXPECT_EQ(2, song.playState);
    EXPECT_FALSE(MessagesOf(0x80, 60).empty()) << "the sounding note is switched off";

    auto other = std::make_unique<CScore>();
    other->GetTrack(0)->InsertNote(false, 0, 960, 62, 100, 0, 0, 0, 0, 0, 0);
    other->StartPlayback();
    timeAdvanceManualClock(100);
    other.reset();
    timeAdvanceManualClock(300);  // no timer is left to read the freed song
    EXPECT_FALSE(MessagesOf(0x80, 62).empty());
}
