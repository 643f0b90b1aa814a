// Stress: buffers written, paused, restarted and reset from one thread while another changes the volume.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "media/media_window_post.h"
#include "media/wave_out.h"
#include "media/wave_out_recording.h"

namespace {

std::mutex g_mutex;
std::condition_variable g_returned;
std::deque<WAVEHDR*> g_done;

// The completion hands the buffer back to the writer, as a window's message would.
BOOL TakeDone(HWND, UINT message, WPARAM, LPARAM lParam)
{
    if (message != MM_WOM_DONE)
        return TRUE;
    std::lock_guard<std::mutex> lock(g_mutex);
    g_done.push_back(reinterpret_cast<WAVEHDR*>(lParam));
    g_returned.notify_all();
    return TRUE;
}

WAVEHDR* NextDone()
{
    std::unique_lock<std::mutex> lock(g_mutex);
    if (!g_returned.wait_for(lock, std::chrono::seconds(10), [] { return !g_done.empty(); }))
        return nullptr;
    WAVEHDR* header = g_done.front();
    g_done.pop_front();
    return header;
}

}  // namespace

int main()
{
    SetMediaPostFunction(TakeDone);
    waveOutUseDevice(WaveOutDeviceKind::Recorder);
    const WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
    HWAVEOUT handle = nullptr;
    if (waveOutOpen(&handle, WAVE_MAPPER, &format, 1, 0, CALLBACK_WINDOW) != MMSYSERR_NOERROR)
        return 1;

    std::vector<std::vector<char>> data(4, std::vector<char>(4096, 0x10));
    std::vector<WAVEHDR> headers(data.size());
    for (size_t i = 0; i < headers.size(); ++i) {
        headers[i].lpData = data[i].data();
        headers[i].dwBufferLength = static_cast<DWORD>(data[i].size());
        waveOutPrepareHeader(handle, &headers[i], sizeof(WAVEHDR));
        waveOutWrite(handle, &headers[i], sizeof(WAVEHDR));
    }

    std::atomic<bool> running{true};
    std::thread volume([&] {
        for (DWORD v = 0; running; v += 0x01010101) {
            waveOutSetVolume(handle, v);
            DWORD read;
            waveOutGetVolume(handle, &read);
        }
    });

    int failures = 0;
    for (int i = 0; i < 5000 && failures == 0; ++i) {
        WAVEHDR* header = NextDone();
        if (header == nullptr) {
            ++failures;
            break;
        }
        if (i % 7 == 0)
            waveOutPause(handle);
        if (waveOutWrite(handle, header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR)
            ++failures;
        if (i % 7 == 0)
            waveOutRestart(handle);
        if (i % 97 == 0)
            waveOutReset(handle);
        if (i % 500 == 0)
            waveOutClearRecording();
    }
    running = false;
    volume.join();

    waveOutReset(handle);
    size_t back = 0;
    while (back < headers.size() && NextDone() != nullptr)
        ++back;
    for (WAVEHDR& header : headers)
        if (waveOutUnprepareHeader(handle, &header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR)
            ++failures;
    if (waveOutClose(handle) != MMSYSERR_NOERROR)
        ++failures;
    if (back != headers.size())
        ++failures;
    std::printf("wave_out_stress: %d failures\n", failures);
    return failures == 0 ? 0 : 1;
}
