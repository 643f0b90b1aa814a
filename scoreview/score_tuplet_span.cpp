// CScoreView: what the notes of a tuplet span tell its bracket: the fullest subdivision and the bracket's side.
#include "scoreview/score_view.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMaxSubdivisions = 9;

bool IsNoteSlot(const Slot& slot) { return slot.NaturalPitch() != 0 && slot.Length() <= 255; }

}  // namespace

int CScoreView::CountTupletSubdivisions(int track, int staff, int measure, int position, int span, int* maxOctaves,
                                        int parts)
{
    if (maxOctaves)
        *maxOctaves = 0;
    const CTrack* owner = score.GetTrack(track);
    parts = std::clamp(parts, 1, kMaxSubdivisions);
    if (!owner || span <= 0 || staff < 0 || staff > 1)
        return 0;
    const int start = (position / span) * span;
    const int sub = std::max(1, span / parts);
    int count[kMaxSubdivisions] = {}, octaves[kMaxSubdivisions] = {};
    CSlotList& slots = noteSlots[track][staff];
    for (int i = 0, n = slots.Count(); i < n; ++i) {
        const Slot slot = slots.GetAt(i);
        if (slot.Measure() != measure || !IsNoteSlot(slot) || slot.Position() < start ||
            slot.Position() >= start + span)
            continue;
        const int part = std::min((slot.Position() - start) / sub, parts - 1);
        ++count[part];
        if (slot.NaturalPitch() > owner->referencePitch)
            octaves[part] = std::max(octaves[part], (slot.NaturalPitch() - owner->referencePitch) / 12);
    }
    if (maxOctaves)
        *maxOctaves = *std::max_element(octaves, octaves + parts);
    return *std::max_element(count, count + parts);
}

int CScoreView::TupletBracketPosition(bool preferNearest, int track, int staff, int measure, int position, int span)
{
    const CTrack* owner = score.GetTrack(track);
    if (!owner || span <= 0 || staff < 0 || staff > 1)
        return 22;
    const int start = (position / span) * span;
    int above = 0, aboveDistance = 0, below = 0, belowDistance = 0, nearest = 0, nearestDistance = -1;
    CSlotList& slots = noteSlots[track][staff];
    for (int i = 0, n = slots.Count(); i < n; ++i) {
        const Slot slot = slots.GetAt(i);
        if (slot.Measure() != measure || !IsNoteSlot(slot) || slot.Position() + 1 <= start ||
            slot.Position() >= start + span)
            continue;
        const int q = owner->StaffPositionOfPitchEx(staff != 0, measure, slot.NaturalPitch());
        const int d = std::abs(q - 22);
        if (q < 23 && d >= aboveDistance) {
            above = q;
            aboveDistance = d;
        }
        if (q >= 22 && d >= belowDistance) {
            below = q;
            belowDistance = d;
        }
        if (nearestDistance < 0 || d < nearestDistance) {
            nearest = q;
            nearestDistance = d;
        }
    }
    if (nearestDistance < 0)
        return 22;  // no note in the span: the bracket stands by the middle line
    if (!preferNearest)
        return aboveDistance >= belowDistance ? above : below;
    if (above == 22 || below >= 22)
        return aboveDistance > belowDistance ? below : above;
    return nearest;
}
