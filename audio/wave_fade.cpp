// Fade-in and fade-out of a wave file, as a percentage of its duration: linear ramps that meet the unfaded
// level without a step.
#include "audio/midi_audio.h"
#include "audio/wave.h"

namespace {

// Scales a 16-bit sample pattern; negative values are scaled by their ones' complement.
int Scale(int sample, double gain)
{
    uint16_t s = static_cast<uint16_t>(sample);
    if (!(s & 0x8000))
        return static_cast<int>(s * gain);
    int m = ~s & 0x7FFF;
    int scaled = static_cast<int>(m * gain);
    return static_cast<int16_t>(~scaled | 0x8000);
}

}  // namespace

int FadeWave(CString strWavePath, BOOL bFadeIn, BOOL bFadeOut, int nFadeValue)
{
    CWave wave;
    if (!wave.Load(strWavePath))
        return 0;
    DWORD rate = wave.GetFormat()->wf.nAvgBytesPerSec;
    if (rate == 0)
        return 0;
    double duration = static_cast<double>(wave.GetTotalLength()) / rate;
    long long channels = wave.GetChannels();
    // To the sample frame, as the range bar draws it: a fade shorter than a second is a fade too.
    long long F = static_cast<long long>(nFadeValue * duration / 100 * wave.GetSampleRate()) * channels;
    long long N = static_cast<long long>(wave.GetSampleRate() * duration * channels);
    for (long long i = 0; i < N; ++i) {
        if (bFadeIn && i < F) {
            double gain = static_cast<double>(i) / F;
            wave.SetSample(static_cast<int>(i), Scale(wave.GetSample(static_cast<int>(i)), gain));
        }
        if (bFadeOut && i > N - F) {
            double gain = static_cast<double>(N - i) / F;
            wave.SetSample(static_cast<int>(i), Scale(wave.GetSample(static_cast<int>(i)), gain));
        }
    }
    return wave.Save(strWavePath) ? 1 : 0;
}
