// A song playing on the recording device under the manual clock, with the position posts recorded.
#include "playback_fixture.h"

std::mutex PlaybackTest::s_postMutex;
std::vector<Post> PlaybackTest::s_posts;

CWnd* FakeWindow()
{
    static int anchor;
    return reinterpret_cast<CWnd*>(&anchor);
}

void PlaybackTest::RecordPost(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam)
{
    EXPECT_EQ(FakeWindow(), window);
    EXPECT_EQ(static_cast<UINT>(0x0400 + 100), message);
    EXPECT_EQ(201u, wParam);
    std::lock_guard<std::mutex> lock(s_postMutex);
    s_posts.push_back({timeGetTime(), lParam});
}

void PlaybackTest::SetUp()
{
    midiOutUseRecordingDevice(true);
    timeUseManualClock(true);
    ASSERT_EQ(MMSYSERR_NOERROR, OpenMidiOutHandle(0));
    SetPlaybackPostFunction(RecordPost);
    song.Reset();
    song.SetNotifyTarget(FakeWindow(), 0x0400 + 100, 201);
    // Posts are spaced by a clock shared by all songs: begin each test well clear of the last one.
    timeAdvanceManualClock(1000);
    midiOutClearRecording();
    std::lock_guard<std::mutex> lock(s_postMutex);
    s_posts.clear();
}

void PlaybackTest::TearDown()
{
    song.StopPlayback();
    CloseMidiDevices();
    SetPlaybackPostFunction(nullptr);
    timeUseManualClock(false);
    midiOutUseRecordingDevice(false);
}

void PlaybackTest::PlayUntilStopped(DWORD limitMs)
{
    for (DWORD t = 0; t < limitMs && song.playState == 1; t += 1)
        timeAdvanceManualClock(1);
}

std::vector<RecordedMidiMessage> PlaybackTest::MessagesOf(BYTE statusType, BYTE pitch) const
{
    std::vector<RecordedMidiMessage> out;
    for (const RecordedMidiMessage& m : midiOutRecordedMessages())
        if ((m.message & 0xF0) == statusType && ((m.message >> 8) & 0xFF) == pitch)
            out.push_back(m);
    return out;
}

std::vector<DWORD> PlaybackTest::AllMessages() const
{
    std::vector<DWORD> out;
    for (const RecordedMidiMessage& m : midiOutRecordedMessages())
        out.push_back(m.message);
    return out;
}

std::vector<Post> PlaybackTest::Posts() const
{
    std::lock_guard<std::mutex> lock(s_postMutex);
    return s_posts;
}
