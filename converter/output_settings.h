// The output settings' tables: sample rates, their list labels and bit rates, read through checked indexes.
#pragma once

#include "kernel/cstring.h"

constexpr int kSampleRateCount = 9;
constexpr int kBitRateCount = 12;

extern const int kSampleRates[kSampleRateCount];
extern const char* const kSampleRateLabels[kSampleRateCount];
extern const int kBitRates[kBitRateCount];
extern const char* const kBitRateLabels[kBitRateCount];

// An index read from the settings, brought into 0 .. count - 1 (the nearest entry of the table).
int ClampIndex(int index, int count);

// The settings of one output format as common.ini holds them ("format%d": sample, bitrate, channel),
// the indexes already brought into their tables.
struct OutputFormatSettings {
    int sampleIndex = 0;
    int bitRateIndex = 0;
    int channelFlag = 0;  // 1 stereo, 0 mono
};
OutputFormatSettings ReadOutputFormatSettings(int format);
void WriteOutputFormatSettings(int format, const OutputFormatSettings& settings);
