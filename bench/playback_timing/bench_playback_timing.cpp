// Timing error of played MIDI events against their due time: a 60-second song at 120 bpm on the
// recording device, on the real clock. Reports the median and the largest error of note-ons and note-offs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <thread>
#include <vector>

#include "media/midi_recording.h"
#include "song/midi_device.h"
#include "song/score.h"

namespace {

constexpr int kBpm = 120;
constexpr int kEighth = 48;           // at division 96
constexpr int kSongTicks = 96 * 120;  // 120 beats: 60 s at 120 bpm

void BM_PlaybackTiming(benchmark::State& state)
{
    midiOutUseRecordingDevice(true);
    OpenMidiOutHandle(0);
    CScore song;
    song.SetTempoAt(false, kBpm, 0);
    for (int tick = 0; tick < kSongTicks; tick += kEighth)
        song.GetTrack(0)->InsertNote(false, tick, tick + kEighth, static_cast<int8_t>(60 + (tick / kEighth) % 12), 100,
                                     0, 0, 0, 0, 0, 0);
    // Due ticks of each note-on (0x90) and note-off (0x80) per pitch, in order.
    std::map<DWORD, std::vector<int>> due;
    for (NoteEvent* note = song.GetTrack(0)->notes; note != nullptr; note = note->next) {
        due[0x90 | (note->pitch << 8)].push_back(note->start);
        due[0x80 | (note->pitch << 8)].push_back(note->end);
    }
    std::vector<double> errors;
    for (auto _ : state) {
        midiOutClearRecording();
        song.StartPlayback();
        double origin;
        {
            ScoreLock lock(&song);
            origin = song.startTime;
        }
        while (song.playState == 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const double msPerTick = 60000.0 / kBpm / song.division;
        std::map<DWORD, size_t> seen;
        for (const RecordedMidiMessage& m : midiOutRecordedMessages()) {
            auto list = due.find(m.message & 0xFFFF);
            if (list == due.end())
                continue;
            size_t& k = seen[list->first];
            if (k < list->second.size())
                errors.push_back(m.time - origin - list->second[k++] * msPerTick);
        }
    }
    std::sort(errors.begin(), errors.end());
    state.counters["events"] = static_cast<double>(errors.size());
    state.counters["median_error_ms"] = errors.empty() ? 0 : errors[errors.size() / 2];
    state.counters["max_error_ms"] = errors.empty() ? 0 : std::max(std::abs(errors.front()), std::abs(errors.back()));
    CloseMidiDevices();
    midiOutUseRecordingDevice(false);
}

BENCHMARK(BM_PlaybackTiming)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
