// Helpers of the audio tests: scratch folders, recorded window posts, file bytes and ffprobe queries.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/audio_window.h"
#include "kernel/cstring.h"

namespace audiotest {

// A fresh scratch folder, removed by the destructor.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    // The same path in the program's Windows form.
    CString WinPath(const std::string& name) const;

private:
    std::filesystem::path m_dir;
};

struct Post {
    CWnd* wnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Installs hooks that record posts and shows; the pump calls pumpAction when set.
class RecordedWindows {
public:
    RecordedWindows();
    ~RecordedWindows();
    std::vector<Post> posts;
    std::vector<int> shows;
    void (*pumpAction)() = nullptr;
    // The lParam values posted, in order.
    std::vector<LPARAM> Values() const;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// Runs a program without a shell and returns what it printed on stdout.
std::string RunCapture(const std::vector<std::string>& args);
// ffmpeg with -y -loglevel error and the given arguments; true on exit code 0.
bool Ffmpeg(const std::vector<std::string>& args);
// One ffprobe entry ("stream=codec_name" -> "aac") of the first audio stream or the format.
std::string Probe(const std::string& file, const std::string& entry);

// Little-endian byte builders for hand-made RIFF fixtures.
void Put16(std::vector<uint8_t>& out, uint16_t v);
void Put32(std::vector<uint8_t>& out, uint32_t v);
void PutTag(std::vector<uint8_t>& out, const char* tag);
uint32_t Get32(const std::vector<uint8_t>& in, size_t at);

std::string TestData(const std::string& relative);

}  // namespace audiotest
