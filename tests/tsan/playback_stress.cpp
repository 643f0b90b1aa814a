// Stress: a dense song plays on the real timer while one thread edits its lists and another starts and stops it.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include "media/midi_recording.h"
#include "song/midi_device.h"
#include "song/midi_playback.h"
#include "song/score.h"

namespace {

constexpr int kTracks = 4;
constexpr int kSongTicks = 96 * 4 * 16;  // sixteen 4/4 measures
std::atomic<int> g_posts{0};

void CountPost(CWnd*, UINT, WPARAM, LPARAM) { ++g_posts; }

CWnd* FakeWindow()
{
    static int anchor;
    return reinterpret_cast<CWnd*>(&anchor);
}

void FillDenseSong(CScore& song)
{
    song.EnsureTrackCount(kTracks - 1);
    song.SetTempoAt(false, 400, 0);  // fast: the whole song passes in a few seconds
    for (int t = 0; t < kTracks; ++t) {
        CTrack& track = *song.GetTrack(t);
        for (int tick = 0; tick < kSongTicks; tick += 12)
            track.InsertNote(false, tick, tick + 24, static_cast<int8_t>(48 + t * 6 + (tick / 12) % 5), 90, 0, 0, 0, 0,
                             0, 0);
    }
}

// Inserts and deletes notes, controllers and tempo changes all over the song, the play position included.
void Edit(CScore& song, const std::atomic<bool>& running)
{
    std::mt19937 random(7);
    while (running.load()) {
        CTrack& track = *song.GetTrack(random() % kTracks);
        const int tick = static_cast<int>(random() % kSongTicks);
        switch (random() % 6) {
        case 0:
        case 1:
            track.InsertNote(false, tick, tick + 12, static_cast<int8_t>(40 + random() % 40), 80, 0, 0, 0, 0, 0, 0);
            break;
        case 2: {
            ScoreLock lock(&song);
            NoteEvent* note = track.notes;
            for (int skip = random() % 200; note != nullptr && skip > 0; --skip)
                note = note->next;
            if (note != nullptr)
                track.DeleteNote(note);
            break;
        }
        case 3: track.SetVolume(static_cast<uint8_t>(random() % 128)); break;
        case 4: track.InsertControl(0xB0, 10, static_cast<uint8_t>(random() % 128), tick); break;
        default: song.SetTempoAt(true, 300 + random() % 200, tick); break;
        }
    }
}

}  // namespace

int main()
{
    midiOutUseRecordingDevice(true);
    SetPlaybackPostFunction(CountPost);
    if (OpenMidiOutHandle(0) != MMSYSERR_NOERROR) {
        std::fprintf(stderr, "playback_stress: cannot open the recording device\n");
        return 1;
    }
    CScore song;
    song.SetNotifyTarget(FakeWindow(), 0x0400 + 100, 201);
    FillDenseSong(song);

    std::atomic<bool> running{true};
    std::thread editor(Edit, std::ref(song), std::cref(running));
    song.StartPlaybackThread();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    // Stop and start again from this thread while the edits go on.
    for (int i = 0; i < 3; ++i) {
        song.StopPlayback();
        song.StartPlayback();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    song.StopPlayback();
    running.store(false);
    editor.join();

    int failures = 0;
    {
        ScoreLock lock(&song);
        for (int t = 0; t < kMaxTracks; ++t)
            if (song.soundingNotes[t] != nullptr) {
                std::fprintf(stderr, "playback_stress: track %d still has sounding notes after the stop\n", t);
                ++failures;
            }
        if (song.playState != 2) {
            std::fprintf(stderr, "playback_stress: not stopped\n");
            ++failures;
        }
    }
    std::vector<RecordedMidiMessage> sent = midiOutRecordedMessages();
    int noteOns = 0;
    for (const RecordedMidiMessage& m : sent) {
        if ((m.message & 0x80) == 0 || (m.message & 0x808000) != 0) {
            std::fprintf(stderr, "playback_stress: malformed message %06X\n", m.message);
            ++failures;
            break;
        }
        if ((m.message & 0xF0) == 0x90)
            ++noteOns;
    }
    if (noteOns < 100 || g_posts.load() < 5) {
        std::fprintf(stderr, "playback_stress: playback hardly moved (%d note-ons, %d posts)\n", noteOns,
                     g_posts.load());
        ++failures;
    }
    CloseMidiDevices();
    std::printf("playback_stress: %zu messages, %d note-ons, %d posts, %s\n", sent.size(), noteOns, g_posts.load(),
                failures == 0 ? "ok" : "FAILED");
    return failures == 0 ? 0 : 1;
}
