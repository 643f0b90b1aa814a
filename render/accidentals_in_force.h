// The accidental in force at every staff position just before a note: the key signature, then the earlier
// notes of the note's measure on its staff.
#pragma once

#include <cstdint>
#include <functional>

#include "render/slot_list.h"
#include "song/element_records.h"

constexpr int kAccidentalPositions = 77;  // eleven octaves of seven steps

struct AccidentalContext {
    const MeasureInfo* measure = nullptr;  // the note's measure
    int top = 0;                           // staff position of pitch 127: entry i stands for position top + i
    int middleC = 28;                      // staff position of middle C in the staff's clef
    // Staff position of a natural pitch in a measure, on the note's staff.
    std::function<int(int measure, int naturalPitch)> staffPosition;
};

// True when the two note slots have the same measure, position, natural pitch and accidental.
bool IsSameSlot(const Slot& a, const Slot& b);

// Fills the table from the key signature and the note slots firstSlot .. firstSlot + slotCount - 1 of the
// measure up to the target; rests are skipped and positions outside the table are left alone.
void GetAccidentalsInForce(int8_t (&table)[kAccidentalPositions], const AccidentalContext& context,
                           const CSlotList& slots, int firstSlot, int slotCount, const Slot& target);
