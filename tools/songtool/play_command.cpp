// songtool play FILE [--device N]: plays a song file on a MIDI output device until it ends; Ctrl-C stops it.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "media/soundfont_path.h"
#include "services/app_folder.h"
#include "song/midi_device.h"
#include "song/midi_playback.h"
#include "song/score.h"
#include "commands.h"

namespace {

std::atomic<bool> g_interrupted{false};
std::atomic<bool> g_finished{false};
std::atomic<long> g_beat{-1};

void OnInterrupt(int) { g_interrupted.store(true); }

// The tool has no window: the position posts are shown on the terminal instead.
void ShowPosition(CWnd*, UINT, WPARAM, LPARAM lParam)
{
    if (lParam < 0)
        g_finished.store(true);
    else
        g_beat.store(static_cast<long>(lParam));
}

CWnd* TerminalTarget()
{
    static int anchor;
    return reinterpret_cast<CWnd*>(&anchor);
}

}  // namespace

int RunPlayCommand(int argc, char** argv)
{
    std::string file;
    int device = -2;  // -2: the output device of kestrin.ini
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--device") == 0 && i + 1 < argc)
            device = std::atoi(argv[++i]);
        else
            file = argv[i];
    }
    if (file.empty()) {
        std::fprintf(stderr, "usage: songtool play FILE [--device N]\n");
        return 2;
    }

    std::string exe = ExecutableFolder() + "/songtool";
    std::replace(exe.begin(), exe.end(), '/', '\\');
    SetAppFolder(CString(exe.c_str()));
    int8_t in = 0, out = 0;
    ReadMidiDeviceSettings(in, out);
    if (device != -2)
        out = static_cast<int8_t>(device);
    MIDIOUTCAPSA caps{};
    midiOutGetDevCapsA(static_cast<UINT>(static_cast<int>(out)), &caps, sizeof caps);
    const MMRESULT opened = OpenMidiOutHandle(out);
    if (opened != MMSYSERR_NOERROR) {
        std::fprintf(stderr, "songtool play: cannot open MIDI output device %d (error %u)\n", out, opened);
        return 1;
    }

    CScore song;
    song.Reset();
    if (!LoadSongForTool(song, file.c_str())) {
        CloseMidiDevices();
        return 1;
    }
    song.RewindPlayback(1);
    SetPlaybackPostFunction(ShowPosition);
    song.SetNotifyTarget(TerminalTarget(), 0x0400 + 100, 201);
    std::signal(SIGINT, OnInterrupt);
    std::printf("Playing %s on device %d (%s)\n", file.c_str(), out, caps.szPname);

    song.StartPlayback();
    long shown = -1;
    bool stopped = false;
    while (!g_finished.load()) {
        if (g_interrupted.exchange(false)) {
            stopped = true;
            song.StopPlayback();
        }
        const long beat = g_beat.load();
        if (beat != shown) {
            std::printf("\rbeat %ld ", beat);
            std::fflush(stdout);
            shown = beat;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::printf("\n%s\n", stopped ? "Stopped." : "Done.");
    std::signal(SIGINT, SIG_DFL);
    SetPlaybackPostFunction(nullptr);
    CloseMidiDevices();
    return 0;
}
