// Note records and scale-step pitches.
#include "render/note_arithmetic.h"

#include <algorithm>
#include <cstdint>

NoteRecord MakeNoteRecord(const NoteEvent& note, int division)
{
    NoteRecord record{};
    record[2] = 0x90 | note.channel;
    record[3] = note.pitch - note.accidental;
    record[4] = note.velocity;
    // In 64 bits: a note of a few hundred thousand quarters is valid, and its 48ths still fit a word.
    const int64_t length48 = division != 0 ? (static_cast<int64_t>(note.end) - note.start) * 48 / division : 0;
    record[5] = static_cast<int32_t>(std::clamp<int64_t>(length48, INT32_MIN, INT32_MAX));
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
