// Note records and scale-step pitches.
#include <gtest/gtest.h>

#include "render/note_arithmetic.h"

namespace {

TEST(NoteArithmetic, RecordCarriesStatusNaturalPitchVelocityAndLength)
{
    NoteEvent note;
    note.channel = 3;
    note.pitch = 61;
    note.accidental = 1;
    note.velocity = 100;
    note.start = 96;
    note.end = 168;
    EXPECT_EQ(MakeNoteRecord(note, 96), (NoteRecord{0, 0, 0x93, 60, 100, 36, 0}));
    note.accidental = -2;
    note.pitch = 1;
    EXPECT_EQ(MakeNoteRecord(note, 0), (NoteRecord{0, 0, 0x93, 3, 100, 0, 0}));
}

TEST(NoteArithmetic, PitchFromStep)
{
    struct Case {
        int reference, step, octaves, direction, pitch;
    };
    const Case cases[] = {{60, 5, 1, -1, 55}, {60, 5, 1, 0, 67},   {60, 7, 2, 1, 95},
                          {60, 9, 1, 1, 72},  {120, 7, 1, 1, 143}, {-3, 1, 1, -1, 241}};
    for (const Case& c : cases)
        EXPECT_EQ(PitchFromStep((int8_t)c.reference, c.step, c.octaves, c.direction), c.pitch) << c.step;
}

}  // namespace
