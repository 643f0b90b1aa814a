// The room an accidental takes between the ink before its note and the note's head.
#include <gtest/gtest.h>

#include <climits>

#include "render/accidental_room.h"

namespace {

Slot Event(int position, int length)
{
    Slot slot;
    slot.values[1] = position;
    slot.values[3] = length;
    return slot;
}

TEST(AccidentalRoom, AnAccidentalMovesRightOnlyAsFarAsItsHead)
{
    struct Case {
        int x, width, limit, head, placed;
    };
    const Case cases[] = {
        {100, 7, 90, 109, 100},   // room enough: where it stands
        {100, 7, 103, 109, 102},  // clear of the ink before it, touching its head
        {100, 7, 101, 109, 101}, {100, 7, INT_MIN, 109, 100},
        {100, 7, 120, 105, 100},  // no room at all: it never moves left
    };
    for (const Case& c : cases)
        EXPECT_EQ(AccidentalX(c.x, c.width, c.limit, c.head), c.placed) << c.limit;
}

TEST(AccidentalRoom, TheInkBeforeIsTheLastPlaceBeforeTheNote)
{
    // 16ths at 0 and 12, a dotted eighth at 24, a rest at 60; 1.5 pixels a 48th, heads 10 wide, unit 8.
    const Slot slots[] = {Event(0, 12), Event(12, 12), Event(12, 12), Event(24, 36), Event(60, 12 + 0x10000000)};
    struct Case {
        int position, right;
    };
    const Case cases[] = {{0, INT_MIN}, {12, 100 + 10}, {24, 100 + 18 + 10}, {60, 100 + 36 + 16}, {72, 100 + 90 + 8}};
    for (const Case& c : cases)
        EXPECT_EQ(InkRightBefore(slots, 5, c.position, 100, 1.5, 10, 8.0), c.right) << c.position;
}

}  // namespace
