// Fuzz target: RIFF/WAVE parsing from memory, then sample access and saving-length queries.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/memory_mmio.h"
#include "audio/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<char> copy(data, data + size);
    HMMIO hmmio = OpenMemoryMmio(copy);
    if (!hmmio)
        return 0;
    CWave wave;
    if (wave.ParseRiff(hmmio)) {
        int count = wave.GetSampleCount();
        for (int i = -1; i <= count && i < 4096; ++i)
            wave.SetSample(i, wave.GetSample(i) / 2);
        wave.SetStartFraction(0.25);
        wave.SetEndFraction(0.75);
        volatile BYTE sink = 0;
        BYTE* play = wave.GetPlayData();
        u32 length = wave.GetSaveLength();
        if (play && length)
            sink = play[length - 1];
        (void)sink;
        wave.GetDuration();
        wave.GetTotalDuration();
    }
    mmioClose(hmmio, 0);
    return 0;
}
