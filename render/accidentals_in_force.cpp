// Accidentals in force.
#include "render/accidentals_in_force.h"

namespace {

// Key places relative to middle C (negative = higher), in key-signature order.
const int8_t kSharpPlaces[7] = {-10, -7, -11, -8, -5, -9, -6};
const int8_t kFlatPlaces[7] = {-6, -9, -5, -8, -4, -7, -3};

}  // namespace

bool IsSameSlot(const Slot& a, const Slot& b)
{
    return a.Measure() == b.Measure() && a.Position() == b.Position() && a.NaturalPitch() == b.NaturalPitch() &&
           a.Accidental() == b.Accidental();
}

void GetAccidentalsInForce(int8_t (&table)[kAccidentalPositions], const AccidentalContext& context,
                           const CSlotList& slots, int firstSlot, int slotCount, const Slot& target)
{
    for (int8_t& entry : table)
        entry = 0;
    const MeasureInfo& measure = *context.measure;
    if (measure.keyKind == KEY_SHARPS || measure.keyKind == KEY_FLATS) {
        const int8_t* places = measure.keyKind == KEY_SHARPS ? kSharpPlaces : kFlatPlaces;
        int8_t value = measure.keyKind == KEY_SHARPS ? 1 : -1;
        int8_t d = static_cast<int8_t>(context.middleC - context.top);
        int count = measure.keyCount < 7 ? measure.keyCount + 1 : 7;
        // Every position a whole number of octaves (7 steps) from a key place is marked.
        for (int j = 0; j < count; ++j) {
            int place = static_cast<int8_t>(places[j] + d);
            for (int i = ((place % 7) + 7) % 7; i < kAccidentalPositions; i += 7)
                table[i] = value;
        }
    }
    // The stretch is walked along the links; indexes outside the list read as all-zero slots.
    const Slot* node = nullptr;
    for (int k = 0; k < slotCount; ++k) {
        const int at = firstSlot + k;
        node = at < 0 ? nullptr : node && at > 0 ? node->next : slots.SlotAt(at);
        const Slot slot = node ? *node : Slot{};
        if (IsSameSlot(slot, target))
            break;
        if (slot.Length() > 255)
            continue;  // a rest
        int index = context.staffPosition(slot.Measure(), slot.NaturalPitch()) - context.top;
        if (index >= 0 && index < kAccidentalPositions)
            table[index] = slot.Accidental();
    }
}
