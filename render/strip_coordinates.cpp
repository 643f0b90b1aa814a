// Strip coordinates: tick to x, x to tick, grid snapping and music digits.
#include "render/strip_coordinates.h"

#include <algorithm>

static int FirstVisible(const StripView& view)
{
    return std::clamp(view.firstVisibleMeasure, 0, kStripMeasureCount - 1);
}

int TickToStripX(const StripView& view, int tick)
{
    if (tick < 0)
        return 0;
    int m = 0;
    int64_t end = 0;
    for (int added = 0; added < kStripMeasureCount && end <= tick; ++added) {
        m = added;
        end += MeasureLengthTicks(view.measures[m], view.division);
    }
    int64_t start = end - MeasureLengthTicks(view.measures[m], view.division);
    const MeasureXTable& table = *view.measureX;
    int base = view.stripOriginX + table[m].content + StripRoom(100, view.zoom) - table[FirstVisible(view)].content + 4;
    if (view.division == 0)
        return base;
    return static_cast<int>(base + static_cast<double>((tick - start) * 48) * view.noteSpacing / view.division);
}

int StripXToTick(const StripView& view, const GridSnap& grid, int x)
{
    const MeasureXTable& table = *view.measureX;
    int s = x - 4 - view.stripOriginX - StripRoom(100, view.zoom) + table[FirstVisible(view)].content;
    int n = 0;
    int64_t start48 = 0, next48 = 0;
    for (; n < kStripMeasureCount && table[n].content <= s; ++n) {
        start48 = next48;
        next48 += MeasureLength48(view.measures[n]);
    }
    int m = n - 1;
    if (m < 0)
        return 0;
    int d = std::min(s - table[m].content, static_cast<int>(MeasureLength48(view.measures[m]) * view.noteSpacing));
    if (grid.on) {
        int g = grid.triplet ? static_cast<int>(grid.tripletGridValue * 3.0) * 2 / 3
                             : static_cast<int>(grid.gridValue * 3.0);
        int gpx = static_cast<int>(g * view.noteSpacing);
        if (gpx > 0)
            d = ((d + gpx / 2) / gpx) * gpx;
    }
    int pixelsPerQuarter = static_cast<int>(view.noteSpacing * 48.0);
    int64_t tick = start48 * view.division / 48;
    if (pixelsPerQuarter != 0)
        tick += static_cast<int64_t>(static_cast<double>(d) * view.division / pixelsPerQuarter);
    return static_cast<int>(std::clamp<int64_t>(tick, 0, INT32_MAX));
}

int SnapTick(int tick, int division, double gridValue)
{
    int g = static_cast<int>(gridValue * 3.0) * division / 48;
    if (g == 0)
        return tick;
    return (tick / g) * g + (2 * (tick % g) >= g ? g : 0);
}

void ToMusicDigits(char* text)
{
    for (; *text; ++text)
        if (*text >= '0' && *text <= '9')
            *text = static_cast<char>('D' + (*text - '0'));
}
