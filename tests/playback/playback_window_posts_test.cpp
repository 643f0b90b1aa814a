// Positions posted from the timer thread arrive as messages of the score view's window.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "media/midi_recording.h"
#include "scoreview/midi_device_dialog.h"
#include "scoreview/window_playback_posts.h"
#include "song/midi_device.h"
#include "song/midi_playback.h"
#include "song/score.h"
#include "ui/ui.h"

namespace {

constexpr UINT kNotify = WM_USER + 100;

// Any window will do as the notify target; this one records what reaches it.
class PositionWindow : public CMidiDeviceDialog {
public:
    PositionWindow() : CMidiDeviceDialog(0, 0) {}
    std::vector<LPARAM> positions;
    std::vector<std::thread::id> threads;

protected:
    LRESULT OnPosition(WPARAM wParam, LPARAM lParam)
    {
        EXPECT_EQ(201u, wParam);
        positions.push_back(lParam);
        threads.push_back(std::this_thread::get_id());
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PositionWindow, CMidiDeviceDialog)
ON_MESSAGE(kNotify, OnPosition)
END_MESSAGE_MAP()

void PumpUntil(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done() && std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace

TEST(PlaybackWindowPosts, PositionsReachTheWindowOnItsOwnThread)
{
    midiOutUseRecordingDevice(true);
    ASSERT_EQ(static_cast<MMRESULT>(MMSYSERR_NOERROR), OpenMidiOutHandle(0));
    UseWindowPlaybackPosts();
    PositionWindow window;
    ASSERT_TRUE(window.Create(CMidiDeviceDialog::IDD));

    CScore song;
    song.SetTempoAt(false, 480, 0);  // a beat every 125 ms
    ASSERT_TRUE(song.GetTrack(0)->InsertNote(false, 0, 96 * 4, 60, 100, 0, 0, 0, 0, 0, 0));
    song.SetNotifyTarget(&window, kNotify, 201);
    song.StartPlaybackThread();  // the worker starts the real timer; the window is left to this thread
    PumpUntil([&] { return !window.positions.empty() && window.positions.back() == -1; });

    ASSERT_GE(window.positions.size(), 3u);
    EXPECT_EQ(-1, window.positions.back());
    for (size_t i = 1; i + 1 < window.positions.size(); ++i)
        EXPECT_GE(window.positions[i], window.positions[i - 1]);
    for (std::thread::id id : window.threads)
        EXPECT_EQ(std::this_thread::get_id(), id);
    window.DestroyWindow();
    SetPlaybackPostFunction(nullptr);
    CloseMidiDevices();
    midiOutUseRecordingDevice(false);
}
