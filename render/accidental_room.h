// Where a note's accidental fits between the ink before it (the previous chord or the bar line) and its head.
#pragma once

#include "render/slot_list.h"

// The right edge of the ink of the last event of a measure's slots (first .. first + count - 1) that stands
// before position: its head, or its rest, and its dots; INT_MIN when none does. headWidth is a head's width,
// unit the staff-line spacing, both in pixels.
int InkRightBefore(const Slot* slots, int count, int position, int contentX, double spacing, int headWidth,
                   double unit);

// The x of an accidental width pixels wide that would stand at x: where it would reach left of leftLimit, it
// moves right, at most until it touches the head that starts at headLeft.
int AccidentalX(int x, int width, int leftLimit, int headLeft);
