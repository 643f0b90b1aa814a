// Note records and scale-step pitches.
#include "render/note_arithmetic.h"

NoteRecord MakeNoteRecord(const NoteEvent& note, int division)
{
    NoteRecord record{};
    record[2] = 0x90 | note.channel;
    record[3] = note.pitch - note.accidental;
    record[4] = note.velocity;
    record[5] = division != 0 ? (note.end - note.start) * 48 / division : 0;
    return record;
}

uint8_t PitchFromStep(int8_t referencePitch, int step, int octaves, int direction)
{
    static const int kMajorScale[7] = {0, 2, 4, 5, 7, 9, 11};
    int p = (step >= 1 && step <= 7 ? kMajorScale[step - 1] : 0) + referencePitch;
    if (direction > 0)
        p += 12 * octaves;
    else if (direction < 0)
        p -= 12 * octaves;
    return static_cast<uint8_t>(p);
}
