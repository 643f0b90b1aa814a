// CScoreView: a gathered group of two or more events: its stem direction, its split into the notes that follow
// it and those whose stem is set the other way, and its tuplet bracket.
#include "scoreview/score_view.h"

#include <cstdlib>

#include "render/note_glyphs.h"

void CScoreView::PaintEventGroup(CDC* dc, const MeasurePass& pass, const Slot* slots, int count)
{
    const StaffPass& staff = *pass.staff;
    CTrack* track = score.GetTrack(staff.track);
    if (!track || count <= 0)
        return;
    count = count < kGroupSlotCapacity ? count : kGroupSlotCapacity;
    // The note farthest from the middle line decides: on or below it the stems go up.
    int farthest = 0;
    for (int i = 0; i < count; ++i) {
        int d = track->StaffPositionOfPitchEx(staff.staff != 0, slots[i].Measure(), slots[i].NaturalPitch()) - 22;
        if (std::abs(d) > std::abs(farthest))
            farthest = d;
    }
    const int direction = farthest >= 0 ? 1 : -1;
    int same = 0, opposite = 0;
    for (int i = 0; i < count; ++i) {
        Slot slot = slots[i];
        if (slot.Tuplet() != 0)
            slot.Length() = DrawnTupletLength(slot.Length());
        if (slot.Stem() != 0 && slot.Stem() != direction)
            oppositeGroupSlots[opposite++] = slot;
        else
            groupSlots[same++] = slot;
    }
    if (same > 0)
        PaintNoteGroup(dc, unit, staff.track, staff.staff, same, direction, pass.spacing, pass.contentX, staff.rowY,
                       pass.firstSlot, pass.slotCount, pass.topReference);
    if (opposite > 0)
        PaintOppositeNoteGroup(dc, unit, staff.track, staff.staff, opposite, -direction, pass.spacing, pass.contentX,
                               staff.rowY, pass.firstSlot, pass.slotCount, pass.topReference);
    // A beamed tuplet shows its number too: the bracket of its first event.
    if (slots[0].Tuplet() >= 3 && pass.spacing != 0 &&
        (int)(pass.contentX + slots[0].Position() * pass.spacing) >= staff.x0 + StripRoom(90, zoom))
        PaintTupletBracket(dc, pass, slots[0], slots[0].Length() & 0xFF);
    dc->SetTextColor(RGB(0, 0, 0));
    groupUnbeamed = 1;
}
