// Wave output on ALSA's default playback device (PCM interface).
#include "media/alsa_default_playback.h"
#include "media/wave_out_sink.h"

namespace {

class AlsaSink : public WaveOutSink {
public:
    explicit AlsaSink(snd_pcm_t* pcm) : pcm_(pcm) {}
    ~AlsaSink() override { snd_pcm_close(pcm_); }

    void Write(const BYTE* data, size_t frames) override
    {
        const size_t frameBytes = snd_pcm_frames_to_bytes(pcm_, 1);
        while (frames > 0) {
            snd_pcm_sframes_t written = snd_pcm_writei(pcm_, data, frames);
            if (written < 0) {
                // An underrun (the device ran dry between buffers) is recovered; anything else ends the write.
                if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0)
                    return;
                continue;
            }
            data += written * frameBytes;
            frames -= written;
        }
    }

    size_t Pending() override
    {
        // A device short of its start threshold waits for more; the stream's last buffer must be heard.
        if (snd_pcm_state(pcm_) == SND_PCM_STATE_PREPARED)
            snd_pcm_start(pcm_);
        snd_pcm_sframes_t delay = 0;
        if (snd_pcm_state(pcm_) != SND_PCM_STATE_RUNNING || snd_pcm_delay(pcm_, &delay) < 0 || delay < 0)
            return 0;
        return static_cast<size_t>(delay);
    }

    void Pause(bool paused) override
    {
        if (snd_pcm_pause(pcm_, paused ? 1 : 0) < 0 && !paused)
            snd_pcm_prepare(pcm_);
    }

    void Drop() override
    {
        snd_pcm_drop(pcm_);
        snd_pcm_prepare(pcm_);
    }

private:
    snd_pcm_t* pcm_;
};

}  // namespace

std::unique_ptr<WaveOutSink> OpenAlsaWaveSink(const WAVEFORMATEX& format)
{
    snd_pcm_t* pcm = nullptr;
    // Opened without blocking so that a busy device fails at once; writes then wait for room.
    if (OpenDefaultPlayback(&pcm) < 0)
        return nullptr;
    const snd_pcm_format_t sampleFormat = format.wBitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    if (snd_pcm_nonblock(pcm, 0) < 0 || snd_pcm_set_params(pcm, sampleFormat, SND_PCM_ACCESS_RW_INTERLEAVED,
                                                           format.nChannels, format.nSamplesPerSec, 1, 100000) < 0) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    return std::make_unique<AlsaSink>(pcm);
}
