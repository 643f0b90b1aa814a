// Helpers of the audio tests: recorded window posts, running ffmpeg and ffprobe queries.
#pragma once

#include <string>
#include <vector>

#include "audio/audio_window.h"
#include "tests/support/byte_builders.h"
#include "tests/support/temp_folder.h"

namespace audiotest {

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

// Runs a program without a shell and returns what it printed on stdout.
std::string RunCapture(const std::vector<std::string>& args);
// ffmpeg with -y -loglevel error and the given arguments; true on exit code 0.
bool Ffmpeg(const std::vector<std::string>& args);
// One ffprobe entry ("stream=codec_name" -> "aac") of the first audio stream or the format.
std::string Probe(const std::string& file, const std::string& entry);
// The frequency of a pure tone in a media file, from the zero crossings of its decoded mono sound; 0 without sound.
double ToneFrequency(const std::string& file);
// The loudest value of the 20 ms from the given second of the decoded mono sound.
int PeakAt(const std::string& file, double second);

}  // namespace audiotest
