// A measure table and clef list for layout tests: 200 measures of 4/4 without key, clef 0 throughout.
#pragma once

#include <array>

#include "render/measure_strip.h"

struct StripSong {
    StripSong()
    {
        measures.fill(MeasureInfo{4, 4, KEY_NONE, 0});
        clefs.fill(0);
    }
    MeasureXTable Layout(double spacing = 1.5) const
    {
        MeasureXTable table;
        LayoutTrackMeasures(measures.data(), clefs.data(), spacing, table);
        return table;
    }
    std::array<MeasureInfo, kStripMeasureCount> measures;
    std::array<uint8_t, kStripMeasureCount> clefs;
};
