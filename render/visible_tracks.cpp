// Shown tracks and the first visible measure.
#include "render/visible_tracks.h"

#include <cstdint>

int GetNthVisibleTrack(const bool* shown, int n)
{
    for (int slot = 0; slot < 30; ++slot) {
        if (!shown[slot])
            continue;
        if (n-- == 0)
            return slot;
    }
    return kNoShownTrack;
}

int GetFirstVisibleMeasure(const MeasureInfo* measures, int division, int& firstVisibleBeat)
{
    if (firstVisibleBeat < 0)
        firstVisibleBeat = 0;
    int64_t tick = static_cast<int64_t>(division) * firstVisibleBeat;
    int64_t end = 0;
    int m = 0;
    while (m < kStripMeasureCount && end <= tick)
        end += MeasureLengthTicks(measures[m++], division);
    return m > 0 ? m - 1 : 0;
}
