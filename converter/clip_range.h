// A clip range in seconds from its clip-info values, its time texts and the output size estimate.
#pragma once

#include "converter/clip_info_file.h"
#include "kernel/cstring.h"

// The clip of a media file of `duration` seconds.
struct ClipSeconds {
    double start = 0;
    double length = 0;
    double fadeLength = 0;  // fade percent of the length
};

ClipSeconds ClipRangeSeconds(const ClipInfo& info, double duration);
// "%02d:%02d:%02d" of whole seconds.
CString ClipTimeText(int seconds);
// Estimated output size in kilobytes of a clip of `roundedLength` seconds; rate and bit-rate indexes outside
// the table are clamped into it.
int EstimateClipSizeKB(int rateIndex, int bitRateIndex, int roundedLength, int stereo);
// The same for an output format (0-5, see convert_formats.h): MP3 from the table above, the others from their
// encoders' rates at the sample rate (index clamped into its table) and channels they are written with.
int EstimateOutputSizeKB(int format, int rateIndex, int bitRateIndex, int roundedLength, int stereo);
