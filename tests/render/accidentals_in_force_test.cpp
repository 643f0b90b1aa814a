// Accidentals in force under the treble clef: the key marks every octave, earlier notes of the measure
// override one position each.
#include <gtest/gtest.h>

#include <vector>

#include "render/accidentals_in_force.h"

namespace {

// Treble clef: middle C at 28, one position per diatonic step, up is smaller.
int TreblePosition(int, int naturalPitch)
{
    static const int kStep[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
    int octave = naturalPitch / 12 - 5;
    return 28 - (octave * 7 + kStep[naturalPitch % 12]);
}

Slot Note(int position, int naturalPitch, int accidental, int length = 12)
{
    Slot s;
    s.Accidental() = static_cast<int8_t>(accidental);
    s.Measure() = 3;
    s.Position() = position;
    s.NaturalPitch() = naturalPitch;
    s.Length() = length;
    return s;
}

class AccidentalsInForce : public ::testing::Test {
protected:
    AccidentalsInForce()
    {
        context.measure = &measure;
        context.top = TreblePosition(0, 127);
        context.middleC = 28;
        context.staffPosition = TreblePosition;
    }
    void Fill(const std::vector<Slot>& slots, const Slot& target)
    {
        list.RemoveAll();
        list.InsertAt(0, Note(0, 0, 0, 96 + kRestSlotBit));  // a slot of the measure before
        for (const Slot& s : slots)
            list.InsertSorted(s);
        GetAccidentalsInForce(table, context, list, 1, (int)slots.size(), target);
    }
    int At(int naturalPitch) const { return table[TreblePosition(0, naturalPitch) - context.top]; }

    MeasureInfo measure{4, 4, KEY_NONE, 0};
    AccidentalContext context;
    CSlotList list;
    int8_t table[kAccidentalPositions];
};

TEST_F(AccidentalsInForce, KeyMarksItsStepsInEveryOctave)
{
    measure = {4, 4, KEY_SHARPS, 1};  // F and C sharp
    Fill({}, Note(0, 60, 0));
    for (int i = 0; i < kAccidentalPositions; ++i) {
        int step = ((28 - (context.top + i)) % 7 + 7) % 7;  // 0 = C .. 6 = B
        EXPECT_EQ(table[i], step == 0 || step == 3 ? 1 : 0) << i;
    }
    measure = {4, 4, KEY_FLATS, 2};  // B, E and A flat
    Fill({}, Note(0, 60, 0));
    EXPECT_EQ(At(71), -1);
    EXPECT_EQ(At(52), -1);
    EXPECT_EQ(At(33), -1);
    EXPECT_EQ(At(62), 0);
}

TEST_F(AccidentalsInForce, EarlierNotesOfTheMeasureOverrideTheirPositionOnly)
{
    measure = {4, 4, KEY_SHARPS, 0};  // F sharp
    Slot first = Note(0, 65, 0), second = Note(12, 65, 0);
    Fill({first, second}, first);
    EXPECT_EQ(At(65), 1);  // the first F natural differs from the key: it prints a natural
    Fill({first, second}, second);
    EXPECT_EQ(At(65), 0);  // the second finds the natural in force
    EXPECT_EQ(At(77), 1);  // another octave keeps the key's sharp
    // A rest changes nothing; the target and what follows it are not read.
    Fill({Note(0, 60, 1), Note(12, 0, 0, 12 + kRestSlotBit), Note(24, 62, -1), Note(36, 64, 1)}, Note(24, 62, -1));
    EXPECT_EQ(At(60), 1);
    EXPECT_EQ(At(62), 0);
    EXPECT_EQ(At(64), 0);
}

TEST_F(AccidentalsInForce, PositionsOutsideTheTableAreLeftAlone)
{
    context.staffPosition = [](int, int pitch) { return pitch == 60 ? 28 : 500; };
    Fill({Note(0, 61, 1), Note(12, 60, 1)}, Note(24, 60, 0));
    int marked = 0;
    for (int8_t entry : table)
        marked += entry != 0;
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(At(60), 1);
}

}  // namespace
