// Clip range arithmetic: percent of the media duration to seconds, time texts, output size estimate.
#include "converter/clip_range.h"

#include <algorithm>

#include "audio/ringtone_size.h"

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
