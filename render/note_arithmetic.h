// Small note arithmetic shared by the layout and the painters: note records and pitches of scale steps.
#pragma once

#include <array>
#include <cstdint>

#include "song/element_records.h"

// A note's event record, 7 words: word 2 = 0x90 | channel, word 3 = natural pitch (pitch minus accidental),
// word 4 = velocity, word 5 = length in 48ths of a quarter note; the others 0.
using NoteRecord = std::array<int32_t, 7>;
NoteRecord MakeNoteRecord(const NoteEvent& note, int division);

// The pitch of a major-scale step (1..7; others count as 0 semitones) above the track's reference pitch,
// moved by whole octaves up (direction > 0) or down (direction < 0); 8 bits wide.
uint8_t PitchFromStep(int8_t referencePitch, int step, int octaves, int direction);
