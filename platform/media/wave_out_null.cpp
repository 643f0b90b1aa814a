// The silent wave output device: takes the audio at its real-time pace and plays nothing.
#include <chrono>
#include <thread>

#include "media/wave_out_sink.h"

namespace {

class NullSink : public WaveOutSink {
public:
    explicit NullSink(DWORD rate) : rate_(rate) {}

    void Write(const BYTE*, size_t frames) override
    {
        // The next write is due when these frames would have been heard; idle time is not made up.
        const auto now = std::chrono::steady_clock::now();
        if (due_ < now)
            due_ = now;
        due_ += std::chrono::duration_cast<std::chrono::steady_clock::duration>(
            std::chrono::duration<double>(static_cast<double>(frames) / rate_));
        std::this_thread::sleep_until(due_);
    }
    size_t Pending() override { return 0; }
    void Pause(bool) override { due_ = {}; }
    void Drop() override { due_ = {}; }

private:
    DWORD rate_;
    std::chrono::steady_clock::time_point due_{};
};

}  // namespace

std::unique_ptr<WaveOutSink> OpenNullWaveSink(const WAVEFORMATEX& format)
{
    return std::make_unique<NullSink>(format.nSamplesPerSec);
}
