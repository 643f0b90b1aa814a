// Where a note's accidental fits between the ink before it (the previous chord or the bar line) and its head.
#pragma once

#include <vector>

#include "render/slot_list.h"

// The right edge of the ink of the last event of a measure's slots (first .. first + count - 1) that stands
// before position: its head, or its rest, and its dots; INT_MIN when none does. headWidth is a head's width,
// unit the staff-line spacing, both in pixels.
int InkRightBefore(const Slot* slots, int count, int position, int contentX, double spacing, int headWidth,
                   double unit);

// The x of an accidental width pixels wide that would stand at x: where it would reach left of leftLimit, it
// moves right, at most until it touches the head that starts at headLeft.
int AccidentalX(int x, int width, int leftLimit, int headLeft);

// A chord of one staff as the strip sees it before painting.
struct ChordRoom {
    int position = 0;      // in 48ths from its measure's start
    int columns = 0;       // the columns of the accidentals it shows
    int dots = 0;          // the most dots of its notes
    bool flag = false;     // a flag, no beam, on its stem
    bool seconds = false;  // two of its notes a second apart: one head stands beside the others
};

// The columns that accidentals at these diatonic steps take: one overlaps another closer than six steps.
int AccidentalColumns(std::vector<int> steps);

// Pixels per 48th of a quarter that a measure needs so that each chord's columns of accidentals stand clear of the
// chord before it; chords of one staff in order of position, unit the staff-line spacing. 0 when no chord needs more
// than no room at all.
double AccidentalSpacing(const std::vector<ChordRoom>& chords, double unit);
