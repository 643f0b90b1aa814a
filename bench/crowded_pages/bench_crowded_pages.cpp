// Opening and painting the first page of three crowded MIDI files: 2000 and 4000 long notes stacked at one
// tick, and 300 quarter chords of all 128 pitches (goal: at most 50 ms a page).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "scoreview/score_pages.h"
#include "song/song_files.h"

namespace {

constexpr int kDivision = 480;

struct Event {
    int tick;
    uint8_t status, pitch, velocity;
};

void PutVarLength(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = value & 0x7F;
        value >>= 7;
    } while (value);
    while (n > 1)
        out.push_back(bytes[--n] | 0x80);
    out.push_back(bytes[0]);
}

void PutBig(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    while (bytes-- > 0)
        out.push_back((uint8_t)(value >> (8 * bytes)));
}

// A format 0 file of the events, which are in tick order.
std::vector<uint8_t> MidiFile(const std::vector<Event>& events)
{
    std::vector<uint8_t> track;
    int last = 0;
    for (const Event& e : events) {
        PutVarLength(track, (uint32_t)(e.tick - last));
        last = e.tick;
        track.insert(track.end(), {e.status, e.pitch, e.velocity});
    }
    track.insert(track.end(), {0, 0xFF, 0x2F, 0});
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd'};
    PutBig(file, 6, 4);
    PutBig(file, 0, 2);
    PutBig(file, 1, 2);
    PutBig(file, kDivision, 2);
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    PutBig(file, (uint32_t)track.size(), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

// count notes of eight whole notes, all starting at tick 0, on 60 pitches in turn.
std::vector<uint8_t> StackedNotes(int count)
{
    std::vector<Event> events;
    for (int i = 0; i < count; ++i)
        events.push_back({0, 0x90, (uint8_t)(40 + i % 60), 64});
    for (int i = 0; i < count; ++i)
        events.push_back({32 * kDivision, 0x80, (uint8_t)(40 + i % 60), 0});
    return MidiFile(events);
}

std::vector<uint8_t> FullChords(int count)
{
    std::vector<Event> events;
    for (int c = 0; c < count; ++c) {
        for (int p = 0; p < 128; ++p)
            events.push_back({c * kDivision, 0x90, (uint8_t)p, 64});
        for (int p = 0; p < 128; ++p)
            events.push_back({(c + 1) * kDivision, 0x80, (uint8_t)p, 0});
    }
    return MidiFile(events);
}

// Opens the bytes as a song through a temporary file, removed at once.
bool OpenBytes(CScoreView& view, const std::vector<uint8_t>& bytes)
{
    std::string path = (std::filesystem::temp_directory_path() / "kestrin-bench-XXXXXX.mid").string();
    const int fd = mkstemps(path.data(), 4);
    if (fd < 0)
        return false;
    const bool written = write(fd, bytes.data(), bytes.size()) == (ssize_t)bytes.size();
    close(fd);
    const bool opened = written && OpenSongFile(view.score, path.c_str()) == 1;
    std::remove(path.c_str());
    return opened;
}

std::vector<uint8_t> CrowdedSong(int which)
{
    return which == 0 ? StackedNotes(2000) : which == 1 ? StackedNotes(4000) : FullChords(300);
}

// What the user waits for: the file read and its first page laid out and painted.
void BM_CrowdedOpen(benchmark::State& state)
{
    const std::vector<uint8_t> bytes = CrowdedSong((int)state.range(0));
    for (auto _ : state) {
        CScoreView view;
        if (!OpenBytes(view, bytes)) {
            state.SkipWithError("the crowded song cannot be read");
            return;
        }
        PrepareHeadlessView(view, 1000, 0, 1.0);
        view.RedrawScore(true);
    }
    state.counters["bytes"] = (double)bytes.size();
}

// One more layout and painting of the page, as after each edit.
void BM_CrowdedRedraw(benchmark::State& state)
{
    CScoreView view;
    if (!OpenBytes(view, CrowdedSong((int)state.range(0)))) {
        state.SkipWithError("the crowded song cannot be read");
        return;
    }
    PrepareHeadlessView(view, 1000, 0, 1.0);
    for (auto _ : state)
        view.RedrawScore(true);
}

}  // namespace

// 0: 2000 stacked notes, 1: 4000 stacked notes, 2: 300 chords of 128 notes.
BENCHMARK(BM_CrowdedOpen)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrowdedRedraw)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
