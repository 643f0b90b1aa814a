// Room for accidentals: the ink before a note and the accidental's place in front of it.
#include "render/accidental_room.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "render/note_glyphs.h"

int InkRightBefore(const Slot* slots, int count, int position, int contentX, double spacing, int headWidth, double unit)
{
    int right = INT_MIN;
    int before = -1;
    for (int i = 0; i < count; ++i) {
        const Slot& slot = slots[i];
        const int at = slot.Position();
        if (at >= position || at < before)
            continue;
        if (at > before)
            right = INT_MIN;
        before = at;
        const int length = slot.Length();
        const int dots = DotCount(StandardLengthIndex(length & 0xFF));
        const double reach = dots > 0 ? (1.5 + 0.5 * dots) * unit : (length > 255 ? unit : headWidth);
        right = std::max(right, static_cast<int>(contentX + at * spacing + reach));
    }
    return right;
}

int AccidentalX(int x, int width, int leftLimit, int headLeft)
{
    if (x >= leftLimit)
        return x;
    return std::max(x, std::min(leftLimit, headLeft - width));
}

int AccidentalColumns(std::vector<int> steps)
{
    std::sort(steps.begin(), steps.end());
    std::vector<std::vector<int>> columns;
    for (int step : steps) {
        auto fits = [step](const std::vector<int>& column) {
            return std::none_of(column.begin(), column.end(), [step](int other) { return std::abs(other - step) < 6; });
        };
        auto free = std::find_if(columns.begin(), columns.end(), fits);
        if (free == columns.end())
            columns.push_back({step});
        else
            free->push_back(step);
    }
    return (int)columns.size();
}

double AccidentalSpacing(const std::vector<ChordRoom>& chords, double unit)
{
    double spacing = 0;
    for (size_t i = 1; i < chords.size(); ++i) {
        const ChordRoom& before = chords[i - 1];
        const ChordRoom& chord = chords[i];
        const int apart = chord.position - before.position;
        if (chord.columns == 0 || apart <= 0)
            continue;
        // The ink of the chord before: a head, one more beside it for a second, its flag or its dots.
        const double right = std::max({(before.seconds ? 2.25 : 1.25) * unit, before.flag ? 2.0 * unit : 0.0,
                                       before.dots > 0 ? (2.0 + 0.5 * before.dots) * unit : 0.0});
        // A lone column moves up to its head; with more, the first stands 1.125 units left of the head and each
        // further one a unit more; all of them a unit further where a head stands left of the others.
        const int columns = std::min(chord.columns, 4);
        const double left = (columns == 1 ? 1.0 : 1.125 + (columns - 1)) * unit + (chord.seconds ? unit : 0.0);
        spacing = std::max(spacing, (right + 0.25 * unit + left) / apart);
    }
    return spacing;
}
