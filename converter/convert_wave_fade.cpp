// ApplyWaveFade: linear ramps that reach 0.75 of the sample at their inner end; negative values keep their sign.
#include "converter/convert_wave_fade.h"

#include <cstdint>

#include "audio/wave.h"
#include "kernel/cfile.h"

// Scales a 16-bit value; a negative one is scaled through its ones' complement.
static int ScaleSample(int sample, double gain)
{
    const uint16_t s = static_cast<uint16_t>(sample);
    if (!(s & 0x8000))
        return static_cast<int>(s * gain);
    const int m = ~s & 0x7FFF;
    const int r = static_cast<int>(m * gain);
    return static_cast<int16_t>(~r | 0x8000);
}

int ApplyWaveFade(CString path, int fadeIn, int fadeOut, double fadeSeconds)
{
    // A batch goes on past a row that fails here: no message box.
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return 0;
    CWave wave;
    const int loaded = wave.LoadFromFile(&file);
    file.Abort();
    if (!loaded)
        return 0;
    const double bytesPerSecond = wave.GetFormat()->wf.nAvgBytesPerSec;
    // A format block without a byte rate gives no time scale to fade over.
    if (bytesPerSecond <= 0)
        return 0;
    const double valuesPerSecond = static_cast<double>(wave.GetChannels()) * wave.GetSampleRate();
    const long long total = static_cast<long long>(valuesPerSecond * wave.GetTotalLength() / bytesPerSecond);
    const long long ramp = static_cast<long long>(valuesPerSecond * fadeSeconds);
    for (long long i = 0; i < total; ++i) {
        const int index = static_cast<int>(i);
        if (fadeIn && i < ramp)
            wave.SetSample(index, ScaleSample(wave.GetSample(index), 0.75 * i / ramp));
        if (fadeOut && i > total - ramp)
            wave.SetSample(index, ScaleSample(wave.GetSample(index), 0.75 * (total - i) / ramp));
    }
    return wave.Save(path) ? 1 : 0;
}
