// Helpers of the audio tests: recorded window posts, running ffmpeg and ffprobe queries.
#include "audio_test_util.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern char** environ;

namespace audiotest {

namespace {

RecordedWindows* g_recorder = nullptr;

void RecordPost(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_recorder)
        g_recorder->posts.push_back({wnd, message, wParam, lParam});
}

void RecordShow(CWnd*, int nCmdShow)
{
    if (g_recorder)
        g_recorder->shows.push_back(nCmdShow);
}

void RecordPump()
{
    if (g_recorder && g_recorder->pumpAction)
        g_recorder->pumpAction();
}

}  // namespace

RecordedWindows::RecordedWindows()
{
    g_recorder = this;
    AudioWindowHooks hooks;
    hooks.post = RecordPost;
    hooks.show = RecordShow;
    hooks.pump = RecordPump;
    SetAudioWindowHooks(hooks);
}

RecordedWindows::~RecordedWindows()
{
    SetAudioWindowHooks(DefaultAudioWindowHooks());
    g_recorder = nullptr;
}

std::vector<LPARAM> RecordedWindows::Values() const
{
    std::vector<LPARAM> values;
    for (const Post& p : posts)
        values.push_back(p.lParam);
    return values;
}

std::string RunCapture(const std::vector<std::string>& args)
{
    int fds[2];
    if (pipe(fds) != 0)
        return std::string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char*> argv;
    std::vector<std::string> copy = args;
    for (std::string& a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int err = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string out;
    char buf[4096];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0)
        out.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    if (err == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            out = "exit:" + std::to_string(WEXITSTATUS(status)) + out;
    }
    return out;
}

bool Ffmpeg(const std::vector<std::string>& args)
{
    std::vector<std::string> all = {"ffmpeg", "-y", "-loglevel", "error"};
    all.insert(all.end(), args.begin(), args.end());
    return RunCapture(all).rfind("exit:", 0) != 0;
}

std::string Probe(const std::string& file, const std::string& entry)
{
    std::vector<std::string> args = {"ffprobe", "-v", "error"};
    if (entry.rfind("stream=", 0) == 0) {
        args.push_back("-select_streams");
        args.push_back("a:0");
    }
    args.insert(args.end(), {"-show_entries", entry, "-of", "default=nw=1:nk=1", file});
    std::string out = RunCapture(args);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

namespace {

// The sound of a media file decoded to 16-bit mono at 44100 Hz.
std::string DecodedMono(const std::string& file)
{
    return RunCapture({"ffmpeg", "-v", "error", "-i", file, "-f", "s16le", "-ac", "1", "-ar", "44100", "-"});
}

int16_t SampleAt(const std::string& pcm, size_t i)
{
    return static_cast<int16_t>(static_cast<uint8_t>(pcm[2 * i]) | pcm[2 * i + 1] << 8);
}

}  // namespace

int PeakAt(const std::string& file, double second)
{
    const std::string pcm = DecodedMono(file);
    int peak = 0;
    const size_t first = static_cast<size_t>(second * 44100);
    for (size_t i = first; i < first + 882 && 2 * i + 1 < pcm.size(); ++i)
        peak = std::max(peak, std::abs(static_cast<int>(SampleAt(pcm, i))));
    return peak;
}

double ToneFrequency(const std::string& file)
{
    const std::string pcm = DecodedMono(file);
    const size_t count = pcm.size() / 2;
    if (count < 2)
        return 0;
    int crossings = 0;
    int16_t last = 0;
    for (size_t i = 0; i < count; ++i) {
        const int16_t value = SampleAt(pcm, i);
        if (i > 0 && (last < 0) != (value < 0))
            ++crossings;
        last = value;
    }
    return crossings / 2.0 / (count / 44100.0);
}

}  // namespace audiotest
