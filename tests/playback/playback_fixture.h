// A song playing on the recording device under the manual clock, with the position posts recorded.
#pragma once

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "media/midi_recording.h"
#include "media/mm_clock.h"
#include "song/midi_device.h"
#include "song/midi_playback.h"
#include "song/score.h"

struct Post {
    DWORD time;
    LPARAM lParam;
};

class PlaybackTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Advances the clock in 1 ms steps (the timer runs every 30) until playback stops or limitMs passes.
    void PlayUntilStopped(DWORD limitMs = 60000);
    // Note-on (0x90) or note-off (0x80) messages of a pitch, in order, with their times.
    std::vector<RecordedMidiMessage> MessagesOf(BYTE statusType, BYTE pitch) const;
    std::vector<DWORD> AllMessages() const;
    std::vector<Post> Posts() const;

    CTrack& Track(int i) { return *song.GetTrack(i); }

    CScore song;
    double startTime = 0;  // clock when playback was started

    static std::mutex s_postMutex;
    static std::vector<Post> s_posts;
    static void RecordPost(CWnd*, UINT message, WPARAM wParam, LPARAM lParam);
};

// A window pointer that is only ever compared, never used.
CWnd* FakeWindow();
