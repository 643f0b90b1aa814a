// Size estimate of an encoded ringtone and the hh:mm:ss text of a length.
#include "audio/ringtone_size.h"

namespace {

constexpr int kSampleRates = 9;
constexpr int kBitrates = 12;

// Measured from encodes: rows 48000 to 8000 Hz, columns 320 to 16 kbit/s.
constexpr int kKilobytesPer30s[kSampleRates][kBitrates] = {
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

}  // namespace

int RingtoneKilobytesPer30s(int rateIndex, int bitRateIndex)
{
    if (rateIndex < 0 || rateIndex >= kSampleRates || bitRateIndex < 0 || bitRateIndex >= kBitrates)
        return 0;
    return kKilobytesPer30s[rateIndex][bitRateIndex];
}

CString FormatHoursMinutesSeconds(int seconds)
{
    CString text;
    text.Format("%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
    return text;
}
