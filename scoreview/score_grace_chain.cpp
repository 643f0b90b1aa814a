// CScoreView::PaintGraceChain: the grace notes a main note carries, as scale-degree digits above it, with
// their accidentals, duration underlines, octave dots and the hook that joins them to the main note.
#include "scoreview/score_view.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kScaleSemitones[7] = {0, 2, 4, 5, 7, 9, 11};

int ScaleIndex(int semitone)
{
    for (int i = 0; i < 7; ++i)
        if (kScaleSemitones[i] == semitone)
            return i;
    return -1;
}

// The scale degree (1..7) of a semitone above the reference; one outside the scale takes the step a semitone
// away: upward under a flat key, downward otherwise.
int ScaleDegree(int semitone, bool flatKey)
{
    int index = ScaleIndex(semitone);
    if (index < 0)
        index = ScaleIndex(flatKey ? (semitone + 1) % 12 : (semitone + 11) % 12);
    return index < 0 ? 1 : index + 1;
}

}  // namespace

void CScoreView::PaintGraceChain(CDC* dc, int track, int mainPitch, int measure, int position, int8_t graceLink,
                                 double unit, int x, int y, int firstSlot, int slotCount, const Slot& slot,
                                 int8_t topReference)
{
    CTrack* owner = score.GetTrack(track);
    const int n = std::abs(graceLink) - 10;
    if (!owner || n <= 0 || measure < 0 || measure >= kMeasureCount)
        return;
    const bool large = unit >= 10;
    const int tick = score.TickAtMeasurePosition(measure, position);

    // The chain: the notes before the main note start where its slot does; those after follow the note that
    // carries the link.
    NoteEvent* note = score.GetTrackNotes(track);
    if (graceLink < -10) {
        while (note && SnapTick(note->start) != tick)
            note = note->next;
    } else {
        while (note && !(note->graceLink > 10 && note->next && SnapTick(note->start) <= tick &&
                         tick <= SnapTick(note->next->end) && note->pitch == mainPitch))
            note = note->next;
        if (note)
            note = note->next;
    }
    if (!note)
        return;

    CFont digitFont, signFont;
    digitFont.CreateFont(large ? 48 : 12, large ? 18 : 8, 0, 0, 450, 0, 0, 0, 1, 1, 32, 0, 18, "Arial");
    signFont.CreateFont(large ? 190 : 58, large ? 28 : 14, 0, 0, 480, 0, 0, 0, 1, 1, 32, 0, 0x12, kMusicFontFace);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = dc->SelectObject(&pen);
    CFont* oldFont = dc->SelectObject(&digitFont);
    const COLORREF colour = dc->GetTextColor();

    const MeasureInfo& info = score.measureTable[measure];
    const bool flatKey = info.keyKind == KEY_FLATS;
    const int gap = large ? 10 : 2, step = large ? 30 : 10, rise = large ? 50 : 14;
    const int division = score.division;
    int8_t inForce[kAccidentalPositions];
    // The main note's slot stands in the list of its own staff.
    int staff = 0;
    for (int k = 0; k < slotCount && staff == 0; ++k)
        if (IsSameSlot(noteSlots[track][1].GetAt(firstSlot + k), slot))
            staff = 1;
    GetAccidentalsInForce(track, inForce, staff, slot, firstSlot, slotCount);
    int mostLines = 0, mostBelow = 0;
    for (int i = 0; i < n && note; ++i, note = note->next) {
        const int natural = note->pitch - note->accidental;
        const int place =
            owner->StaffPositionFromReference(measure, natural, owner->referencePitch, owner->referencePosition);
        const int d = owner->StaffPositionToPitch(place) - owner->referencePitch;
        int octave = d / 12, semitone = std::abs(d) % 12;
        if (d < 0 && semitone != 0) {
            octave -= 1;
            semitone = 12 - semitone;
        }
        const char digit = (char)('0' + ScaleDegree(semitone, flatKey));
        const int xi =
            graceLink < 0 ? x + (large ? 8 : -3) - (n - i) * step : x + (large ? -5 : 4) + i * step + (large ? 45 : 12);
        const int yi = y - rise;
        dc->TextOut(xi, yi, &digit, 1);

        const int at = place - topReference;
        const int shown = at >= 0 && at < kAccidentalPositions ? inForce[at] : 0;
        if (shown != note->accidental && (note->accidental == 1 || note->accidental == -1)) {
            const char sign = note->accidental == -1 ? 0x61 : 0x5F;
            dc->SelectObject(&signFont);
            dc->TextOut(xi - 8, yi, &sign, 1);
            dc->SelectObject(&digitFont);
        }

        const int length = note->end - note->start;
        const int lines = division > 0 && length == division / 2 ? 1 : division > 0 && length == division / 8 ? 3 : 2;
        const int lineStep = large ? 5 : 2;
        for (int k = 0; k < lines; ++k) {
            const int ly = yi + (large ? 48 : 12) + k * lineStep;
            dc->MoveTo(xi, ly);
            dc->LineTo(xi + (large ? 30 : 10), ly);
        }
        for (int k = 0; k < std::abs(octave); ++k) {
            const int dy =
                octave < 0 ? (large ? 13 : 5) + k * lineStep + lines * lineStep : -((large ? 38 : 9) + k * lineStep);
            dc->TextOut(xi + gap, yi + dy, ".", 1);
        }
        mostLines = std::max(mostLines, lines);
        if (octave < 0)
            mostBelow = std::max(mostBelow, -octave);
    }

    // The hook from the digits down and across to the main note.
    const int half = n * step / 2;
    const int bx = graceLink < 0 ? (large ? 2 : -3) - half : (large ? -9 : 4) + half + (large ? 48 : 12);
    const int hx = x + bx;
    const int unitStep = large ? 5 : 2;
    const int hy = y - (large ? -2 : 1) + mostLines * unitStep + mostBelow * unitStep;
    const int hookY = hy + (large ? 12 : 3);
    dc->MoveTo(hx, hy);
    dc->LineTo(hx, hookY);
    dc->LineTo(graceLink < 0 ? x - 2 : x + (large ? 32 : 12), hookY);

    dc->SetTextColor(colour);
    dc->SelectObject(oldFont);
    dc->SelectObject(oldPen);
}
