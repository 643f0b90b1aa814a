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
    return static_cast<int>(base + static_cast<double>((tick - start) * 48) *
                                       MeasureSpacing(table, m, view.noteSpacing) / view.division);
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
    const int length48 = MeasureLength48(view.measures[m]);
    const double spacing = MeasureSpacing(table, m, view.noteSpacing);
    int d = std::min(s - table[m].content, static_cast<int>(length48 * spacing));
    int64_t tick = start48 * view.division / 48;
    if (grid.on) {
        int g = grid.triplet ? static_cast<int>(grid.tripletGridValue * 3.0) * 2 / 3
                             : static_cast<int>(grid.gridValue * 3.0);
        // Grid points stand where TickToStripX puts them, at their exact x truncated (a 64th is 4.5 pixels at
        // the default spacing): the pixel snaps to the nearer of the two points around it, halves to the later.
        // Rounding the step to whole pixels instead would drift off the grid.
        const double step = g * spacing;
        if (step >= 1.0) {
            auto pixel = [step](int64_t point) { return static_cast<int64_t>(point * step); };
            int64_t point = static_cast<int64_t>(d / step);
            while (pixel(point + 1) <= d)
                ++point;
            while (point > 0 && pixel(point) > d)
                --point;
            if (2 * (d - pixel(point)) >= pixel(point + 1) - pixel(point))
                ++point;
            int64_t offset48 = std::min<int64_t>(point * g, length48);
            return static_cast<int>(std::clamp<int64_t>((start48 + offset48) * view.division / 48, 0, INT32_MAX));
        }
    }
    int pixelsPerQuarter = static_cast<int>(spacing * 48.0);
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
