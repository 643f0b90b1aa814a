// Clip range arithmetic: percent of the media duration to seconds, time texts, output size estimate.
#include "converter/clip_range.h"

#include <algorithm>

ClipSeconds ClipRangeSeconds(const ClipInfo& info, double duration)
{
    ClipSeconds clip;
    const double end = info.endPercent * duration * 0.01;
    clip.start = info.startPercent * duration * 0.01;
    clip.length = end - clip.start;
    clip.fadeLength = info.fade * clip.length * 0.01;
    return clip;
}

CString ClipTimeText(int seconds)
{
    CString text;
    text.Format("%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
    return text;
}

// Kilobytes for 30 seconds of stereo, by sample-rate index (48000 down to 8000 Hz) and bit-rate index (320 down
// to 16 kbit/s); 0 where the combination does not occur.
static const int kSize30[9][12] = {
    {647, 646, 646, 646, 577, 464, 407, 351, 316, 316, 316, 316},
    {629, 629, 629, 628, 576, 463, 406, 350, 306, 306, 306, 306},
    {558, 558, 558, 558, 557, 461, 404, 347, 264, 263, 263, 263},
    {0, 440, 440, 440, 440, 439, 403, 346, 232, 206, 206, 205},
    {0, 407, 407, 406, 406, 406, 402, 345, 232, 203, 190, 190},
    {0, 0, 0, 296, 296, 296, 296, 295, 231, 203, 139, 139},
    {0, 0, 0, 0, 0, 222, 222, 222, 221, 201, 116, 106},
    {0, 0, 0, 0, 0, 205, 205, 205, 204, 201, 116, 98},
    {0, 0, 0, 0, 0, 0, 0, 151, 151, 151, 115, 74},
};

int EstimateClipSizeKB(int rateIndex, int bitRateIndex, int roundedLength, int stereo)
{
    rateIndex = std::clamp(rateIndex, 0, 8);
    bitRateIndex = std::clamp(bitRateIndex, 0, 11);
    const int k = stereo ? 1 : 2;
    return static_cast<int>(kSize30[rateIndex][bitRateIndex] * (1.0 / 30) * roundedLength / k);
}
