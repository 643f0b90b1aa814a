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

int StripRoom(int pixels, double zoom) { return static_cast<int>(pixels * zoom); }

void LayoutTrackMeasures(const MeasureInfo* measures, const uint8_t* clefs, double noteSpacing, MeasureXTable& table,
                         double zoom, const uint8_t* leadAccidentals, const double* spacings)
{
    auto room = [zoom](int pixels) { return StripRoom(pixels, zoom); };
    auto accidentalRoom = [&](int m) {
        const int columns = leadAccidentals ? std::min<int>(leadAccidentals[m], kLeadAccidentalColumns) : 0;
        return columns > 1 ? room(kAccidentalColumn * (columns - 1)) : 0;
    };
    table[0].start = 50;
    table[0].content =
        50 + room(64 + (measures[0].keyKind != KEY_NONE ? 6 * measures[0].keyCount : 0)) + accidentalRoom(0);
    for (int m = 0; m < kStripMeasureCount; ++m)
        table[m].spacing = spacings ? std::max(noteSpacing, spacings[m]) : noteSpacing;
    for (int n = 1; n < kStripMeasureCount; ++n) {
        int m = n - 1;
        MeasureStripEntry& entry = table[n];
        entry.start =
            static_cast<int32_t>(table[m].content + MeasureLength48(measures[m]) * table[m].spacing + room(10) * 1.0);
        entry.content = entry.start + room(20);
        bool clefChanged = clefs[n] != clefs[m];
        bool keyChanged = !SameKey(measures[n], measures[m]);
        if (clefChanged)
            entry.content += room(20);
        if (measures[n].numerator != measures[m].numerator || measures[n].denominator != measures[m].denominator)
            entry.content += room(30);
        if (keyChanged)
            entry.content += room(53);
        if (clefChanged && !keyChanged && measures[n].keyKind != KEY_NONE)
            entry.content += room(46);
        entry.content += accidentalRoom(n);
    }
}

int MeasureBarX(const MeasureInfo* measures, const MeasureXTable& table, double noteSpacing, int m, double zoom)
{
    m = std::clamp(m, 0, kStripMeasureCount);
    if (m < kStripMeasureCount)
        return table[m].start;
    const int last = kStripMeasureCount - 1;
    return static_cast<int>(table[last].content +
                            MeasureLength48(measures[last]) * MeasureSpacing(table, last, noteSpacing) +
                            StripRoom(10, zoom) * 1.0);
}

double MeasureSpacing(const MeasureXTable& table, int m, double noteSpacing)
{
    const double own = table[std::clamp(m, 0, kStripMeasureCount - 1)].spacing;
    return own > 0 ? own : noteSpacing;
}
