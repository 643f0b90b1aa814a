// Clip range arithmetic: percent of the media duration to seconds, time texts, output size estimate.
#include "converter/clip_range.h"

#include <algorithm>

#include "audio/ringtone_size.h"
#include "converter/output_settings.h"

ClipSeconds ClipRangeSeconds(const ClipInfo& info, double duration)
{
    ClipSeconds clip;
    const double end = info.endPercent * duration * 0.01;
    clip.start = info.startPercent * duration * 0.01;
    clip.length = end - clip.start;
    clip.fadeLength = info.fade * clip.length * 0.01;
    return clip;
}

CString ClipTimeText(int seconds) { return FormatHoursMinutesSeconds(seconds); }

int EstimateClipSizeKB(int rateIndex, int bitRateIndex, int roundedLength, int stereo)
{
    rateIndex = std::clamp(rateIndex, 0, 8);
    bitRateIndex = std::clamp(bitRateIndex, 0, 11);
    const int k = stereo ? 1 : 2;
    return static_cast<int>(RingtoneKilobytesPer30s(rateIndex, bitRateIndex) * (1.0 / 30) * roundedLength / k);
}

int EstimateOutputSizeKB(int format, int rateIndex, int bitRateIndex, int roundedLength, int stereo)
{
    const double rate = kSampleRates[std::clamp(rateIndex, 0, kSampleRateCount - 1)];
    double bytesPerSecond = 0;
    switch (format) {
    case 1: bytesPerSecond = rate * (stereo ? 4 : 2); break;       // 16-bit PCM
    case 2: bytesPerSecond = rate / 2; break;                      // 4-bit ADPCM, mono
    case 3: bytesPerSecond = 1600; break;                          // AMR-NB 12.2 kbit/s: 32 bytes a 20 ms frame
    case 4: bytesPerSecond = 3050; break;                          // AMR-WB 23.85 kbit/s: 61 bytes a 20 ms frame
    case 5: bytesPerSecond = rate * (stereo ? 0.7 : 0.64); break;  // AAC at -aq 60, measured on music
    default: return EstimateClipSizeKB(rateIndex, bitRateIndex, roundedLength, stereo);
    }
    return static_cast<int>(bytesPerSecond * roundedLength / 1024);
}
