// The measure strip layout.
#include "render/measure_strip.h"

#include <algorithm>

int MeasureLength48(const MeasureInfo& info)
{
    // A song without a time signature reads as 4/4 elsewhere too; a zero denominator must not divide.
    int denominator = info.denominator > 0 ? info.denominator : 4;
    return info.numerator * (192 / denominator);
}

int64_t MeasureLengthTicks(const MeasureInfo& info, int division)
{
    return static_cast<int64_t>(MeasureLength48(info)) * division / 48;
}

static bool SameKey(const MeasureInfo& a, const MeasureInfo& b)
{
    return a.keyKind == b.keyKind && a.keyCount == b.keyCount;
}

void LayoutTrackMeasures(const MeasureInfo* measures, const uint8_t* clefs, double noteSpacing, MeasureXTable& table)
{
    table[0].start = 50;
    table[0].content = 50 + 64 + (measures[0].keyKind != KEY_NONE ? 6 * measures[0].keyCount : 0);
    for (int n = 1; n < kStripMeasureCount; ++n) {
        int m = n - 1;
        MeasureStripEntry& entry = table[n];
        entry.start = static_cast<int32_t>(table[m].content + MeasureLength48(measures[m]) * noteSpacing + 10.0);
        entry.content = entry.start + 20;
        bool clefChanged = clefs[n] != clefs[m];
        bool keyChanged = !SameKey(measures[n], measures[m]);
        if (clefChanged)
            entry.content += 20;
        if (measures[n].numerator != measures[m].numerator || measures[n].denominator != measures[m].denominator)
            entry.content += 30;
        if (keyChanged)
            entry.content += 53;
        if (clefChanged && !keyChanged && measures[n].keyKind != KEY_NONE)
            entry.content += 46;
    }
}

int MeasureBarX(const MeasureInfo* measures, const MeasureXTable& table, double noteSpacing, int m)
{
    m = std::clamp(m, 0, kStripMeasureCount);
    if (m < kStripMeasureCount)
        return table[m].start;
    const int last = kStripMeasureCount - 1;
    return static_cast<int>(table[last].content + MeasureLength48(measures[last]) * noteSpacing + 10.0);
}
