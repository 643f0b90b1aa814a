// Helpers of the audio tests: scratch folders, recorded window posts, file bytes and ffprobe queries.
#include "audio_test_util.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "kernel/path_map.h"

extern char** environ;

namespace audiotest {

namespace {

RecordedWindows* g_recorder = nullptr;

void RecordPost(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_recorder) g_recorder->posts.push_back({wnd, message, wParam, lParam});
}

void RecordShow(CWnd*, int nCmdShow) {
    if (g_recorder) g_recorder->shows.push_back(nCmdShow);
}

void RecordPump() {
    if (g_recorder && g_recorder->pumpAction) g_recorder->pumpAction();
}

}  // namespace

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "audiotest-XXXXXX").string();
    m_dir = mkdtemp(pattern.data());
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
}

CString ScratchDir::WinPath(const std::string& name) const { return CString(ToWindowsPath(Path(name))); }

RecordedWindows::RecordedWindows() {
    g_recorder = this;
    AudioWindowHooks hooks;
    hooks.post = RecordPost;
    hooks.show = RecordShow;
    hooks.pump = RecordPump;
    SetAudioWindowHooks(hooks);
}

RecordedWindows::~RecordedWindows() {
    SetAudioWindowHooks(DefaultAudioWindowHooks());
    g_recorder = nullptr;
}

std::vector<LPARAM> RecordedWindows::Values() const {
    std::vector<LPARAM> values;
    for (const Post& p : posts) values.push_back(p.lParam);
    return values;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string RunCapture(const std::vector<std::string>& args) {
    int fds[2];
    if (pipe(fds) != 0) return std::string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char*> argv;
    std::vector<std::string> copy = args;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int err = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string out;
    char buf[4096];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    if (err == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) out = "exit:" + std::to_string(WEXITSTATUS(status)) + out;
    }
    return out;
}

bool Ffmpeg(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"ffmpeg", "-y", "-loglevel", "error"};
    all.insert(all.end(), args.begin(), args.end());
    return RunCapture(all).rfind("exit:", 0) != 0;
}

std::string Probe(const std::string& file, const std::string& entry) {
    std::vector<std::string> args = {"ffprobe", "-v", "error"};
    if (entry.rfind("stream=", 0) == 0) {
        args.push_back("-select_streams");
        args.push_back("a:0");
    }
    args.insert(args.end(), {"-show_entries", entry, "-of", "default=nw=1:nk=1", file});
    std::string out = RunCapture(args);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

uint32_t Get32(const std::vector<uint8_t>& in, size_t at) {
    return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (uint32_t(in[at + 3]) << 24);
}

std::string TestData(const std::string& relative) {
    const char* root = getenv("KESTRIN_TESTDATA");
    return std::string(root ? root : "/work/shared/testdata") + "/" + relative;
}

}  // namespace audiotest
