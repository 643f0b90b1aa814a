// One open wave output device: the queue of written buffers and the worker thread that plays them.
#include "media/wave_out_stream.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "media/media_window_post.h"
#include "media/wave_out_volume.h"

WaveOutStream::WaveOutStream(HWAVEOUT handle, const WAVEFORMATEX& format, std::unique_ptr<WaveOutSink> sink,
                             HWND window)
    : handle_(handle), format_(format), sink_(std::move(sink)), window_(window)
{
    // Buffers are played in pieces of about 20 ms, so that pause and reset take effect promptly.
    const size_t frames = std::max<size_t>(1, format.nSamplesPerSec / 50);
    chunk_.resize(frames * format.nBlockAlign);
    worker_ = std::thread([this] { Run(); });
}

WaveOutStream::~WaveOutStream()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

MMRESULT WaveOutStream::Prepare(WAVEHDR* header)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    header->dwFlags |= WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT WaveOutStream::Unprepare(WAVEHDR* header)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT WaveOutStream::Write(WAVEHDR* header)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!(header->dwFlags & WHDR_PREPARED))
            return WAVERR_UNPREPARED;
        if (header->dwFlags & WHDR_INQUEUE)
            return WAVERR_STILLPLAYING;
        header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
        queue_.push_back(header);
    }
    wake_.notify_all();
    return MMSYSERR_NOERROR;
}

void WaveOutStream::Pause()
{
    std::lock_guard<std::mutex> lock(mutex_);
    paused_ = true;
}

void WaveOutStream::Restart()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        paused_ = false;
    }
    wake_.notify_all();
}

void WaveOutStream::Reset()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (WAVEHDR* header : queue_)
            Complete(header);
        queue_.clear();
        offset_ = 0;
        dropPending_ = true;
    }
    wake_.notify_all();
}

bool WaveOutStream::HasQueued()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return !queue_.empty();
}

// Called with the lock held: the header belongs to the program again once it is marked done.
void WaveOutStream::Complete(WAVEHDR* header)
{
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    if (window_ != nullptr)
        PostMediaMessage(window_, MM_WOM_DONE, reinterpret_cast<WPARAM>(handle_), reinterpret_cast<LPARAM>(header));
}

void WaveOutStream::Run()
{
    bool sinkPaused = false;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        if (dropPending_ || paused_ != sinkPaused) {
            // The sink is only touched from this thread; its slow calls are made outside the lock.
            const bool drop = dropPending_, pause = paused_;
            dropPending_ = false;
            lock.unlock();
            if (drop)
                sink_->Drop();
            if (pause != sinkPaused)
                sink_->Pause(pause);
            lock.lock();
            sinkPaused = pause;
            continue;
        }
        if (paused_ || queue_.empty()) {
            wake_.wait(lock);
            continue;
        }
        WAVEHDR* header = queue_.front();
        const size_t whole = header->dwBufferLength - header->dwBufferLength % format_.nBlockAlign;
        if (offset_ < whole) {
            // Copied under the lock: after a reset the program may free the buffer at once.
            const size_t bytes = std::min(chunk_.size(), whole - offset_);
            std::memcpy(chunk_.data(), header->lpData + offset_, bytes);
            offset_ += bytes;
            ApplyWaveOutVolume(chunk_.data(), bytes, format_, WaveOutVolume());
            lock.unlock();
            sink_->Write(chunk_.data(), bytes / format_.nBlockAlign);
            lock.lock();
            continue;
        }
        // The last queued buffer is done only once it has been heard; earlier ones as soon as written.
        if (queue_.size() == 1 && sink_->Pending() > 0) {
            wake_.wait_for(lock, std::chrono::milliseconds(5));
            continue;
        }
        queue_.pop_front();
        offset_ = 0;
        Complete(header);
    }
}
