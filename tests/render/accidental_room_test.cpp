// The room an accidental takes between the ink before its note and the note's head.
#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "render/accidental_room.h"

namespace {

Slot Event(int position, int length)
{
    Slot slot;
    slot.Position() = position;
    slot.Length() = length;
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

// Accidentals closer than six steps stand in columns of their own; farther ones share a column.
TEST(AccidentalRoom, AccidentalsTakeAColumnForEachOverlap)
{
    const std::pair<std::vector<int>, int> cases[] = {
        {{}, 0}, {{35}, 1}, {{35, 36}, 2}, {{30, 36}, 1}, {{30, 33, 36}, 2}, {{30, 31, 32}, 3}, {{36, 30, 33, 42}, 2},
    };
    for (const auto& [steps, columns] : cases)
        EXPECT_EQ(AccidentalColumns(steps), columns) << steps.size();
}

// Unit 8: a chord 12 48ths after another needs its columns, the ink of the chord before and a quarter unit between.
TEST(AccidentalRoom, AMeasureMakesRoomForTheColumnsAfterTheChordBefore)
{
    struct Case {
        ChordRoom before, chord;
        double spacing;
    };
    auto chord = [](int position, int columns, int dots, bool flag, bool seconds) {
        ChordRoom room;
        room.position = position;
        room.columns = columns;
        room.dots = dots;
        room.flag = flag;
        room.seconds = seconds;
        return room;
    };
    const Case cases[] = {
        {chord(0, 0, 0, false, false), chord(12, 0, 0, false, false), 0.0},
        {chord(0, 0, 0, false, false), chord(12, 1, 0, false, false), (10 + 2 + 8) / 12.0},
        {chord(0, 0, 0, false, false), chord(12, 2, 0, false, false), (10 + 2 + 17) / 12.0},
        {chord(0, 0, 1, false, false), chord(12, 2, 0, false, false), (20 + 2 + 17) / 12.0},
        {chord(0, 0, 0, true, false), chord(12, 2, 0, false, false), (16 + 2 + 17) / 12.0},
        {chord(0, 0, 0, false, true), chord(24, 3, 0, false, true), (18 + 2 + 25 + 8) / 24.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(AccidentalSpacing({c.before, c.chord}, 8.0), c.spacing) << c.chord.columns;
}

}  // namespace
