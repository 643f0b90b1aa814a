// Room for accidentals: the ink before a note and the accidental's place in front of it.
#include "render/accidental_room.h"

#include <algorithm>
#include <climits>

#include "render/note_glyphs.h"

int InkRightBefore(const Slot* slots, int count, int position, int contentX, double spacing, int headWidth, double unit)
{
    int right = INT_MIN;
    int before = -1;
    for (int i = 0; i < count; ++i) {
        const Slot& slot = slots[i];
        const int at = slot.values[1];
        if (at >= position || at < before)
            continue;
        if (at > before)
            right = INT_MIN;
        before = at;
        const int length = slot.values[3];
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
