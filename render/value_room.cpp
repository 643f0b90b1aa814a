// Room for short values: the shortest pieces of a measure's chords and rests.
#include "render/value_room.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "render/note_glyphs.h"

namespace {

// The longest plain length a place is a multiple of: the layout cuts notes and rests on the plain grid, so a
// stretch that begins or ends there yields a piece no longer than this. A place off that grid is a tuplet's,
// which the layout does not cut.
int LongestDividing(int place)
{
    int longest = INT_MAX;
    if (place == 0 || place % 3 != 0)
        return longest;
    for (int length : {3, 6, 12, 24, 48, 96, 192})
        if (place % length == 0)
            longest = length;
    return longest;
}

}  // namespace

double ShortValueSpacing(const std::vector<ValueChord>& chords, int measureLength, double unit)
{
    if (chords.empty() || measureLength <= 0)
        return 0;
    // Places where a stretch begins or ends; a tuplet's place is not cut at.
    std::vector<std::pair<int, bool>> places = {{0, true}, {measureLength, true}};
    for (size_t i = 0; i < chords.size(); ++i) {
        // A note ends where the next chord begins.
        const int next = i + 1 < chords.size() ? chords[i + 1].start : measureLength;
        places.push_back({std::clamp(chords[i].start, 0, measureLength), !chords[i].tuplet});
        places.push_back({std::clamp(std::min(chords[i].end, next), 0, measureLength), !chords[i].tuplet});
    }
    std::sort(places.begin(), places.end());
    double spacing = 0;
    for (size_t i = 0; i + 1 < places.size(); ++i) {
        const auto [from, cutFrom] = places[i];
        const auto [to, cutTo] = places[i + 1];
        if (to == from)
            continue;
        int piece = to - from;
        // A stretch of a standard length that starts on a place of at least that length is one piece, a dotted
        // one among them; any other is cut where its ends fall on the plain grid.
        const bool whole = StandardLengthIndex(piece) != kNoLengthIndex && LongestDividing(from) >= piece;
        if (cutFrom && !whole)
            piece = std::min(piece, LongestDividing(from));
        if (cutTo && !whole)
            piece = std::min(piece, LongestDividing(to));
        // A rest, or a head with the flags that stand right of a stem, with a little air; half a unit a dot.
        const int dots = DotCount(StandardLengthIndex(piece));
        spacing = std::max(spacing, (2.0 + 0.5 * dots) * unit / piece);
    }
    return spacing;
}
