// Wave data: resampling, sharpening, zeroing repeats and the sample dump.
#include <cstdio>
#include <vector>

#include "audio/wave.h"
#include "kernel/path_map.h"
#include "services/app_folder.h"

int CWave::Resample(int nRate, int nBits, CWave* pSource, int nChannels)
{
    if (!pSource)
        return 0;
    double duration = pSource->GetPlayedDuration();
    double b = nBits / 8.0;
    if (b <= 0)
        return 0;
    int count = static_cast<int>(nRate * nChannels * nBits / 8 * duration / b);
    if (!Create(count, nRate, nBits, nChannels))
        return 0;
    DWORD rate = m_format.wf.nAvgBytesPerSec;
    if (rate == 0)
        return 0;
    for (int i = 0; i < count; ++i) {
        double t = i * b / rate;
        SetSample(i, pSource->GetSample(static_cast<int>(pSource->GetSampleRate() * t)));
    }
    return 1;
}

void CWave::Sharpen(int nPercent)
{
    int c = static_cast<int>((static_cast<float>(nPercent) / 100.0f + 1.0f) * 1000.0f);
    int side = (998 - c) / 2;
    int centre = 998 - 2 * side;
    int count = GetSampleCount();
    for (int i = 0; i < count; ++i) {
        int value = (side * GetSample(i - 1) + centre * GetSample(i) + side * GetSample(i + 1)) / 1000;
        SetSample(i, value);
    }
}

void CWave::ZeroRepeats()
{
    int previous = 0;
    int count = GetSampleCount();
    for (int i = 0; i < count; ++i) {
        int value = static_cast<int16_t>(GetSample(i));
        if (value == previous)
            SetSample(i, 0);
        previous = value;
    }
}

void CWave::DumpSample(int nIndex, int a, int b, int c)
{
    static bool created = false;
    CString strPath = GetAppFolder() + "tempvalue.txt";
    FILE* file = std::fopen(MapPathLiteral(static_cast<const char*>(strPath)).c_str(), created ? "ab" : "wb");
    if (!file)
        return;
    created = true;
    std::fprintf(file, "%d,   %4x, %2x, %4x\r\n", nIndex, a, b, c);
    std::fclose(file);
}
