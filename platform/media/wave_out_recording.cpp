// The recorder behind wave output for tests, and the choice of device.
#include "media/wave_out_recording.h"

#include <atomic>
#include <mutex>

#include "media/wave_out_sink.h"

namespace {

std::atomic<WaveOutDeviceKind> g_kind{WaveOutDeviceKind::Automatic};
std::mutex g_mutex;
std::vector<BYTE> g_bytes;

class RecordingSink : public WaveOutSink {
public:
    explicit RecordingSink(size_t frameBytes) : frameBytes_(frameBytes) {}
    void Write(const BYTE* data, size_t frames) override
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_bytes.insert(g_bytes.end(), data, data + frames * frameBytes_);
    }
    size_t Pending() override { return 0; }
    void Pause(bool) override {}
    void Drop() override {}

private:
    size_t frameBytes_;
};

}  // namespace

void waveOutUseDevice(WaveOutDeviceKind kind) { g_kind.store(kind); }

WaveOutDeviceKind waveOutDeviceInUse() { return g_kind.load(); }

std::vector<BYTE> waveOutRecordedBytes()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_bytes;
}

void waveOutClearRecording()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_bytes.clear();
}

std::unique_ptr<WaveOutSink> OpenRecordingWaveSink(const WAVEFORMATEX& format)
{
    return std::make_unique<RecordingSink>(format.nBlockAlign);
}
