// Room for short values: how widely a measure is spaced so that its shortest notes and rests do not overprint.
#pragma once

#include <vector>

// A chord of one staff as the room for short values sees it, in 48ths from its measure's start.
struct ValueChord {
    int start = 0;
    int end = 0;          // where its longest note ends
    bool tuplet = false;  // a tuplet's note: the layout draws it whole, at its own length
};

// Pixels per 48th of a quarter that a measure measureLength 48ths long needs so that the shortest piece the layout
// can cut from each of its stretches (a chord from its start to its end, a rest from a chord's end to the next
// chord) keeps its glyph and dots clear of the next; chords in order of start, unit the staff-line spacing.
// 0 for a measure without chords.
double ShortValueSpacing(const std::vector<ValueChord>& chords, int measureLength, double unit);
