// CScoreView: the note pass of one staff: its laid-out events, measure by measure, gathered into single
// events, chords and beamed groups for their painters, then the staff's ties.
#include "scoreview/score_view.h"

#include <algorithm>
#include <vector>

#include "render/note_glyphs.h"

namespace {

bool IsRest(const Slot& slot) { return slot.Length() > 255; }

int DrawnLength(const Slot& slot) { return slot.Tuplet() != 0 ? DrawnTupletLength(slot.Length()) : slot.Length(); }

// The unit being gathered: the entries waiting in the pending list.
struct Gathering {
    int beat = 0;
    int accumulated = 0;  // 48ths the unit covers, counted from its entries at new positions
    int tuplet = 0;       // the tuplet number of a tuplet unit, else 0
    int positions = 0;
    int spanEnd = 0;  // a tuplet unit ends here
    int lastPosition = -1;
    int lastLength = 0;  // the previous entry's drawn length
};

}  // namespace

bool CScoreView::PaintStaffEvents(CDC* dc, const StaffPass& pass)
{
    CTrack* track = score.GetTrack(pass.track);
    CSlotList& slots = noteSlots[pass.track][pass.staff];
    const int count = slots.Count();
    if (!track || count == 0 || firstPaintedMeasure >= pass.lastUsedMeasure)
        return true;
    std::vector<Slot> entries((size_t)count);
    for (int i = 0; i < count; ++i)
        entries[(size_t)i] = slots.GetAt(i);

    const bool lower = pass.staff != 0;
    const int last = std::min({endPaintedMeasure, pass.lastUsedMeasure, kStripMeasureCount});
    int index = 0;
    for (int m = firstPaintedMeasure; m < last; ++m) {
        track->BuildStaffPitchTable(lower, m);
        while (index < count && entries[(size_t)index].Measure() < m)
            ++index;
        int n = 0;
        while (index + n < count && entries[(size_t)(index + n)].Measure() == m)
            ++n;
        MeasurePass measure;
        measure.staff = &pass;
        measure.measure = m;
        measure.contentX = ContentX(m);
        measure.spacing = MeasureSpacing(m);
        measure.firstSlot = index;
        measure.slotCount = n;
        measure.topReference = (int8_t)track->StaffPositionOfPitchEx(lower, m, 127);
        if (!PaintMeasureEvents(dc, measure, entries.data() + index)) {
            pendingSlots.RemoveAll();
            dc->SetTextColor(RGB(0, 0, 0));
            return false;
        }
        index += n;
    }
    dc->SetTextColor(RGB(0, 0, 0));
    PaintStaffTies(dc, pass);
    return true;
}

bool CScoreView::PaintMeasureEvents(CDC* dc, const MeasurePass& pass, const Slot* entries)
{
    const MeasureInfo& info = score.measureTable[pass.measure];
    if (info.denominator <= 0)
        return false;
    const int beatLength = 192 / info.denominator;
    if (beatLength <= 0)
        return false;
    pendingSlots.RemoveAll();
    Gathering gathered;
    for (int i = 0; i < pass.slotCount; ++i) {
        const Slot& entry = entries[i];
        const int position = entry.Position();
        const int tuplet = entry.Tuplet();
        const int length = DrawnLength(entry);
        const int baseLength = entry.Length() & 0xFF;
        int span = 0;
        if (tuplet != 0) {
            span = NearestNoteLength(tuplet * baseLength);
            if (span <= 0)
                return false;
        }
        const int beat = position / beatLength;
        const bool explicitStem = entry.Stem() != 0;
        if (IsRest(entry)) {
            // A rest stands alone: the unit before it is complete.
            PaintPendingUnit(dc, pass);
            gathered = Gathering();
            PaintSingleEvent(dc, pass, entry, baseLength);
            continue;
        }
        if (explicitStem && length >= 48 && length <= 192) {
            PaintSingleNote(dc, unit, pass.staff->track, pass.staff->staff, entry, pass.spacing, pass.contentX,
                            pass.staff->rowY, pass.topReference, pass.firstSlot, pass.slotCount);
            continue;
        }
        for (;;) {
            const int pending = pendingSlots.Count();
            if (pending == 0) {
                gathered = Gathering();
                gathered.beat = beat;
                gathered.accumulated = explicitStem ? 0 : baseLength;
                gathered.tuplet = tuplet;
                gathered.positions = 1;
                gathered.spanEnd = tuplet != 0 ? (position / span) * span + span : 0;
                pendingSlots.InsertAt(0, entry);
                break;
            }
            bool close = pending >= kGroupSlotCapacity || (beat != gathered.beat && tuplet == 0);
            const bool chordMember = position == gathered.lastPosition;
            if (!close && !chordMember) {
                close = (gathered.tuplet != 0 && gathered.positions >= gathered.tuplet) ||
                        (gathered.tuplet != 0 && position >= gathered.spanEnd) ||
                        (gathered.tuplet == 0 && gathered.accumulated >= beatLength) || gathered.lastLength == 32 ||
                        length >= beatLength || (gathered.lastLength == 16 && length == 32) ||
                        // Notes of a quarter and longer have no beam, and tuplets are beamed only among themselves.
                        length >= 48 || gathered.lastLength >= 48 || (gathered.tuplet != 0) != (tuplet != 0);
            }
            if (close) {
                PaintPendingUnit(dc, pass);
                continue;
            }
            // Ordered by position; the members of a chord highest first.
            int at = 0;
            const int pitch = entry.NaturalPitch() + entry.Accidental();
            while (at < pending) {
                Slot other = pendingSlots.GetAt(at);
                if (other.Position() > position ||
                    (other.Position() == position && other.NaturalPitch() + other.Accidental() < pitch))
                    break;
                ++at;
            }
            pendingSlots.InsertAt(at, entry);
            if (!chordMember) {
                if (!explicitStem)
                    gathered.accumulated += baseLength;
                if (tuplet != 0) {
                    ++gathered.positions;
                    gathered.spanEnd = (position / span) * span + span;
                }
            }
            break;
        }
        gathered.lastPosition = position;
        gathered.lastLength = length;
        if (i == pass.slotCount - 1 || position > 255)
            PaintPendingUnit(dc, pass);
    }
    PaintPendingUnit(dc, pass);
    return true;
}

void CScoreView::PaintPendingUnit(CDC* dc, const MeasurePass& pass)
{
    const int count = std::min(pendingSlots.Count(), kGroupSlotCapacity);
    if (count == 1) {
        Slot slot = pendingSlots.GetAt(0);
        const int baseLength = slot.Length() & 0xFF;
        slot.Length() = DrawnLength(slot);
        PaintSingleEvent(dc, pass, slot, baseLength);
    } else if (count > 1) {
        Slot slots[kGroupSlotCapacity];
        for (int i = 0; i < count; ++i)
            slots[i] = pendingSlots.GetAt(i);
        PaintEventGroup(dc, pass, slots, count);
    }
    pendingSlots.RemoveAll();
}
