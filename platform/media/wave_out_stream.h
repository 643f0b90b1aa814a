// One open wave output device: the queue of written buffers and the worker thread that plays them.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "media/wave_out_sink.h"

class WaveOutStream {
public:
    // Completions go to window (none when null) as MM_WOM_DONE with the handle in wParam.
    WaveOutStream(HWAVEOUT handle, const WAVEFORMATEX& format, std::unique_ptr<WaveOutSink> sink, HWND window);
    // Stops the worker; buffers still queued are dropped without completion.
    ~WaveOutStream();

    MMRESULT Prepare(WAVEHDR* header);
    MMRESULT Unprepare(WAVEHDR* header);
    MMRESULT Write(WAVEHDR* header);
    void Pause();
    void Restart();
    // Hands every queued buffer back as done, in order, and forgets the audio not yet heard.
    void Reset();
    bool HasQueued();

private:
    void Run();
    void Complete(WAVEHDR* header);

    HWAVEOUT handle_;
    WAVEFORMATEX format_;
    std::unique_ptr<WaveOutSink> sink_;
    HWND window_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<WAVEHDR*> queue_;
    size_t offset_ = 0;  // bytes of the front buffer already written to the sink
    bool paused_ = false;
    bool dropPending_ = false;
    bool quit_ = false;
    std::vector<BYTE> chunk_;
    std::thread worker_;
};
