// The program's wave output volume and its application to PCM samples.
#include "media/wave_out_volume.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<DWORD> g_volume{0xFFFFFFFF};

int Scale(int sample, DWORD level) { return static_cast<int>(static_cast<int64_t>(sample) * level / 0xFFFF); }

}  // namespace

DWORD WaveOutVolume() { return g_volume.load(); }

void SetWaveOutVolume(DWORD volume) { g_volume.store(volume); }

void ApplyWaveOutVolume(BYTE* data, size_t bytes, const WAVEFORMATEX& format, DWORD volume)
{
    if (volume == 0xFFFFFFFF || (format.nChannels == 1 && LOWORD(volume) == 0xFFFF))
        return;
    const DWORD levels[2] = {LOWORD(volume), HIWORD(volume)};
    const size_t sampleBytes = format.wBitsPerSample / 8;
    const size_t samples = bytes / sampleBytes;
    for (size_t i = 0; i < samples; ++i) {
        const DWORD level = levels[format.nChannels == 2 ? i % 2 : 0];
        BYTE* at = data + i * sampleBytes;
        if (sampleBytes == 1) {
            *at = static_cast<BYTE>(Scale(*at - 128, level) + 128);
        } else {
            int16_t sample;
            std::memcpy(&sample, at, 2);
            sample = static_cast<int16_t>(Scale(sample, level));
            std::memcpy(at, &sample, 2);
        }
    }
}
