// Time to open .mid, .sms and .mmf songs of 10k, 100k and 1M notes the way the composer opens them.
// Opening must grow linearly: ten times the notes may take at most about twelve times as long.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "kernel/path_map.h"
#include "song/score.h"
#include "song/song_files.h"

namespace {

// Notes in file order: four voices, a chord of two on every eighth, a sixteenth long.
void FillSong(CScore& song, int notes)
{
    song.NewSong(4, 4, 2);
    song.SetTempoAt(false, 120, 0);
    TrackAppendScope appending(song);
    for (int i = 0; i < notes; ++i) {
        int step = i / 8;
        int voice = i % 4;
        int pitch = 48 + 12 * voice / 2 + (step + i % 8 / 4 * 4) % 12;
        song.GetTrack(voice)->InsertNote(false, step * 48, step * 48 + 24, static_cast<int8_t>(pitch), 100, 0, 0, 0, 0,
                                         0, 0);
    }
}

void PutBig(std::vector<uint8_t>& out, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

// A SMAF file of one score-track chunk: a note every 10 units on each slot in turn.
std::vector<uint8_t> SmafFile(int notes)
{
    std::vector<uint8_t> file = {'M', 'M', 'M', 'D', 0, 0, 0, 0};
    size_t chunk = file.size();
    file.insert(file.end(), {'M', 'T', 'R', 1, 0, 0, 0, 0, 0, 0, 2, 2, 0x80, 0x80, 'M', 't', 's', 'q', 0, 0, 0, 0});
    for (int i = 0; i < notes; ++i) {
        int slot = i % 4;
        file.push_back(slot == 0 ? 10 : 0);
        file.push_back(static_cast<uint8_t>((slot << 6) | ((i / 4) % 3 << 4) | (i % 12 + 1)));
        file.push_back(8);
    }
    file.insert(file.end(), {0, 0, 0, 0});
    PutBig(file, chunk + 4, static_cast<uint32_t>(file.size() - chunk - 8));
    PutBig(file, chunk + 18, static_cast<uint32_t>(file.size() - chunk - 22));
    file.insert(file.end(), {0, 0});
    PutBig(file, 4, static_cast<uint32_t>(file.size() - 8));
    return file;
}

// The benchmark's files, in a folder of its own under the temporary folder, removed at exit.
class BenchFiles {
public:
    BenchFiles() : folder(std::filesystem::temp_directory_path() / ("bench_song_open-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(folder);
    }
    ~BenchFiles() { std::filesystem::remove_all(folder); }

    // The Windows-style path of the file of that type and note count, made on first use.
    std::string Path(const std::string& type, int notes)
    {
        std::filesystem::path path = folder / (std::to_string(notes) + "." + type);
        std::string windowsPath = ToWindowsPath(path.string());
        if (std::filesystem::exists(path))
            return windowsPath;
        if (type == "mmf") {
            std::vector<uint8_t> bytes = SmafFile(notes);
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        } else {
            CScore song;
            FillSong(song, notes);
            SaveSongFile(song, windowsPath.c_str());
        }
        return windowsPath;
    }

private:
    std::filesystem::path folder;
};

BenchFiles& Files()
{
    static BenchFiles files;
    return files;
}

void OpenSong(benchmark::State& state, const std::string& type)
{
    int notes = static_cast<int>(state.range(0));
    std::string path = Files().Path(type, notes);
    // Timed after one open, on a heap that keeps the pages of the song it held: the first touch of
    // fresh pages costs far more on a busy virtual machine than the opening itself.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    CScore song;
    OpenSongFile(song, path.c_str());
    for (auto _ : state) {
        if (OpenSongFile(song, path.c_str()) != 1)
            state.SkipWithError("the file did not open");
    }
    state.counters["notes"] = notes;
    state.counters["ns_per_note"] = benchmark::Counter(static_cast<double>(notes) * state.iterations(),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_OpenMidi(benchmark::State& state) { OpenSong(state, "mid"); }
void BM_OpenScore(benchmark::State& state) { OpenSong(state, "sms"); }
void BM_OpenSmaf(benchmark::State& state) { OpenSong(state, "mmf"); }

}  // namespace

BENCHMARK(BM_OpenMidi)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenScore)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSmaf)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
