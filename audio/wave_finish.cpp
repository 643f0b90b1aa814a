// Finishing a rendered float wave file: peak normalisation, a click-free end and 16-bit samples, in place.
#include "audio/wave_finish.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "audio/midi_audio.h"

namespace {

// Level every export is normalised to: the loudest sample at -1 dBFS, below any clipping.
const double kPeakDbfs = -1.0;
// Long enough to end a sounding note without a click, too short to be heard as a fade.
const int kEndFadeMs = 10;

}  // namespace

bool RenderedSound::HasSound() const { return peak * 32767 >= 1; }

bool FinishRenderedWave(FILE* file, long dataOffset, uint64_t samples, int channels, DWORD rate, double peak)
{
    const uint64_t frames = samples / channels;
    const uint64_t fadeFrames = std::min<uint64_t>(frames, uint64_t(rate) * kEndFadeMs / 1000);
    // A silent render stays silent: noise below one step must not be raised to full level.
    const double gain = RenderedSound{frames, peak}.HasSound() ? std::pow(10.0, kPeakDbfs / 20) / peak : 1.0;
    const uint64_t block = 16384 * static_cast<uint64_t>(channels);
    std::vector<float> in(block);
    std::vector<int16_t> out(block);
    // Each 16-bit block lands below the float block it came from, so reading stays ahead of writing.
    for (uint64_t at = 0; at < samples; at += block) {
        size_t n = static_cast<size_t>(std::min(block, samples - at));
        if (std::fseek(file, dataOffset + static_cast<long>(at * sizeof(float)), SEEK_SET) != 0 ||
            std::fread(in.data(), sizeof(float), n, file) != n)
            return false;
        for (size_t i = 0; i < n; ++i) {
            uint64_t frame = (at + i) / channels;
            double g = gain;
            if (frame + fadeFrames >= frames)
                g *= static_cast<double>(frames - 1 - frame) / fadeFrames;
            double v = std::isfinite(in[i]) ? std::nearbyint(in[i] * g * 32767) : 0.0;
            out[i] = static_cast<int16_t>(std::clamp(v, -32767.0, 32767.0));
        }
        if (std::fseek(file, dataOffset + static_cast<long>(at * sizeof(int16_t)), SEEK_SET) != 0 ||
            std::fwrite(out.data(), sizeof(int16_t), n, file) != n)
            return false;
    }
    return std::fflush(file) == 0 &&
           ftruncate(fileno(file), dataOffset + static_cast<off_t>(samples * sizeof(int16_t))) == 0;
}
