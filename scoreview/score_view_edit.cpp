// CScoreView: note editing with the mouse: the staff and pitch under a point, the hit test, note entry,
// dragging and the preview note.
#include "scoreview/score_view.h"

#include <algorithm>
#include <cstdlib>

#include "services/rounding.h"

namespace {

constexpr int kMajorScale[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kGrandStaff = 4;
constexpr double kValueQuarters[7] = {4.0, 2.0, 1.0, 0.5, 0.25, 0.125, 0.0625};

// The note sounding as preview, kept for the run.
uint8_t g_previewPitch = 0;
int g_previewGridIndex = -1;

bool HasWrittenNote(const CTrack& track, int start, int written, int lowerStaff)
{
    for (const NoteEvent* note = track.notes; note && note->start <= start; note = note->next)
        if (note->start == start && note->pitch - note->accidental == written && note->lowerStaff == lowerStaff)
            return true;
    return false;
}

}  // namespace

int CScoreView::PitchFromY(int y, int originY, double halfUnit, int referencePitch, int referencePosition)
{
    if (halfUnit <= 0)
        return std::clamp(referencePitch, 0, 127);
    int yRef = (int)(originY + referencePosition * halfUnit);
    int steps = (int)(std::abs(y - yRef) / halfUnit);
    int octave = steps / 7, r = steps % 7;
    int pitch = y < yRef ? referencePitch + 12 * octave + kMajorScale[r]
                         : referencePitch - 12 * octave - (r == 0 ? 0 : 12 - kMajorScale[7 - r]);
    return std::clamp(pitch, 0, 127);
}

int CScoreView::StaffTopY(int track) const
{
    int row = std::max(0, RowOfTrack(track));
    return (int)((int)(staffTopPx + row * staffSpacingPx) - 11 * unit);
}

int CScoreView::TrackOfRow(int row) const
{
    for (int t = 0; t < kMaxTracks; ++t) {
        int first = RowOfTrack(t);
        if (first < 0)
            continue;
        int rows = score.GetTrack(t)->ClefAtMeasure(0) == kGrandStaff ? 2 : 1;
        if (row >= first && row < first + rows)
            return t;
    }
    return currentTrack;
}

void CScoreView::SnapToStaffLine(int, int y, int firstY)
{
    int best = -1, bestDistance = 0;
    for (int k = 0; staffSpacingPx > 0; ++k) {
        int yk = (int)(firstY + k * staffSpacingPx);
        if (yk >= pageHeight * zoom)
            break;
        if (best < 0 || std::abs(yk - y) < bestDistance) {
            best = k;
            bestDistance = std::abs(yk - y);
            nearestRowY = yk;
        }
    }
    nearestRowIndex = std::max(0, best);
}

int CScoreView::LocateStaffUnderPoint(int flags, int x, int y)
{
    int firstY = (int)(rowOrigin + 11 * unit);
    if (!(flags & 1))
        SnapToStaffLine(x, y, firstY);
    int row = 0, bestDistance = -1;
    for (int k = 0; staffSpacingPx > 0; ++k) {
        int yk = (int)(firstY + k * staffSpacingPx);
        if (yk >= pageBitmap.Height() && k > 0)
            break;
        if (bestDistance < 0 || std::abs(yk - y) <= bestDistance) {
            row = k;
            bestDistance = std::abs(yk - y);
        }
    }
    int tick = std::max(0, StripXToTick(x, y));
    mouseMeasure = score.MeasureAtTick(tick);
    currentMeasure = mouseMeasure;
    if (flags & 1)
        return mouseMeasure;
    currentTrack = TrackOfRow(row);
    int origin = (int)(rowOrigin + std::max(0, RowOfTrack(currentTrack)) * staffSpacingPx);
    const CTrack* track = score.GetTrack(currentTrack);
    if (track && track->ClefAtTick(tick) == kGrandStaff && y > (int)(origin + 11 * unit) + lowerStaffSpacingPx / 2) {
        staffLineY = (int)(origin + lowerStaffSpacingPx);
        lowerStaffUnderMouse = 1;
    } else {
        staffLineY = origin;
        lowerStaffUnderMouse = 0;
    }
    staffMiddleY = (int)(staffLineY + 11 * unit);
    return staffMiddleY;
}

void CScoreView::UpdatePitchUnderMouse(int y)
{
    CTrack* track = score.GetTrack(currentTrack);
    if (!track)
        return;
    track->BuildStaffPitchTable(lowerStaffUnderMouse != 0, mouseMeasure);
    pitchUnderMouse =
        static_cast<uint8_t>(PitchFromY(y, staffLineY, unit / 2, track->referencePitch, track->referencePosition));
}

int CScoreView::FindNoteOnStrip(int x, int y)
{
    if (noteSpacing == 0)
        return 0;
    int tick = std::max(0, StripXToTick(x, y));
    int m = score.MeasureAtTick(tick);
    if (hoveredNote)
        hoveredNote->marked = 0;
    hoveredNote = nullptr;
    for (int t = 0; t < kMaxTracks; ++t) {
        CTrack* track = score.GetTrack(t);
        if (!track->IsShown())
            continue;
        track->BuildStaffPitchTable(lowerStaffUnderMouse != 0, m);
        int upper = PitchFromY(y, StaffTopY(t), unit / 2, track->referencePitch, track->referencePosition);
        int lower = upper;
        if (track->ClefAtMeasure(m) == kGrandStaff) {
            track->BuildStaffPitchTable(lowerStaffUnderMouse != 0, m);
            lower =
                PitchFromY(y - 1, staffLineY, RoundHalfAway(unit / 2), track->referencePitch, track->referencePosition);
        }
        for (NoteEvent* note = track->notes; note; note = note->next) {
            // The head is hit where it is painted: at its own tick, which a tuplet's or an off-grid note's is.
            int headX = TickToStripX(note->start) - 2 + note->headShift;
            int written = note->pitch - note->accidental;
            bool lowerNote = track->ClefAtTick(note->start) == kGrandStaff && note->lowerStaff;
            bool hit = lowerNote ? std::abs(headX - x) < 3 && std::abs(written - lower) < 2
                                 : std::abs(headX - x) < 5 && std::abs(written - upper) < 4;
            if (hit && note->lowerStaff == lowerStaffUnderMouse) {
                hoveredNote = note;
                currentTrack = t;
                return 1;
            }
        }
    }
    return 0;
}

int CScoreView::InsertNoteAtPoint(int, int x, int y)
{
    CTrack* track = score.GetTrack(currentTrack);
    if (!track)
        return 0;
    int tick = std::max(0, StripXToTick(x, y));
    int m = score.MeasureAtTick(tick);
    uint8_t lower = track->ClefAtTick(tick) == kGrandStaff ? lowerStaffUnderMouse : 0;
    track->BuildStaffPitchTable(lower != 0, m);
    int value = std::clamp(paletteChoice[0], 0, 6);
    double d = kValueQuarters[value] * score.division;
    if (score.dotMode == 1) {
        d = d * 3 / 2;
    } else if (score.dotMode == 2) {
        int h = (int)(d / 2);
        d = d + h + h / 2;
    }
    int position =
        track->StaffPositionFromReference(m, pitchUnderMouse, track->referencePitch, track->referencePosition);
    int accidental = track->KeyAccidentalAt(m, position, pitchUnderMouse, lower != 0);

    const int units[5] = {1, 2, 2, 2, 4};
    const double scales[5] = {2.0 / 3.0, 4.0 / 5.0, 4.0 / 6.0, 4.0 / 7.0, 8.0 / 9.0};
    const int counts[5] = {3, 5, 6, 7, 9};
    int count = 1;
    for (int i = 0; i < 5; ++i)
        if (tupletFlags[i]) {
            int u = (int)(2 * d) * units[i];
            int start = score.MeasureStartTick(m);
            int p = u > 0 ? (tick - start) / u * u : 0;
            tick = start + p;
            d = d * scales[i];
            count = counts[i];
            break;
        }
    int velocity = track->VelocityAtTick(tick);
    int next = tick;
    int entered = 0;
    for (int i = 0; i < count; ++i) {
        int start = next, end = (int)(start + d);
        next = (int)(tick + (i + 1) * d);
        // A click beside a head would put an identical note on top of it.
        if (HasWrittenNote(*track, start, pitchUnderMouse - accidental, lower))
            continue;
        ++entered;
        track->InsertNote(false, start, end, (int8_t)pitchUnderMouse, (uint8_t)velocity, (int8_t)accidental, 0, lower,
                          0, count == 1 ? 0 : count, 0);
        score.EnsureTrackCount(currentTrack);
        for (const NoteEvent* note = track->notes; note; note = note->next)
            if (note->start == start && note->end == end && note->lowerStaff == lower && !note->marked &&
                note->pitch - note->accidental == pitchUnderMouse - accidental) {
                PushUndoNoteInserted(start, end, note->pitch, note->velocity, note->accidental);
                break;
            }
    }
    if (!entered)
        return 0;
    previewChannel = static_cast<uint8_t>(track->GetChannel());
    PreviewNote(true, pitchUnderMouse, next, currentTrack);
    score.modified = 1;
    lastEnteredPitch = pitchUnderMouse;
    editTrack = currentTrack;
    return 1;
}

void CScoreView::PreviewNote(bool on, int pitch, int tick, int trackIndex)
{
    const CTrack* track = score.GetTrack(trackIndex);
    int step = std::max(1, (int)(score.division * score.gridValue * 3 / 48));
    int gridIndex = tick / step;
    int velocity = track ? track->VelocityAtTick(tick) : 96;
    if (on && pitch == g_previewPitch && gridIndex == g_previewGridIndex)
        return;
    g_previewGridIndex = gridIndex;
    uint8_t channel = previewChannel & 0x0F;
    score.SendShortMessage(0x80 | channel, g_previewPitch, (uint8_t)velocity);
    if (!on)
        return;
    g_previewPitch = static_cast<uint8_t>(pitch);
    int program = score.SendProgramChangesUpTo(trackIndex, tick);
    score.SendShortMessage(0xC0 | channel, (uint8_t)program, 0);
    score.SendShortMessage(0x90 | channel, g_previewPitch, (uint8_t)velocity);
}

NoteEvent* CScoreView::DragNote(int x, int y, double dragUnit)
{
    if (score.playState == 1)
        return nullptr;
    int tick = std::max(0, StripXToTick((int)(x - dragUnit / 2), y));
    if (!hoveredNote) {
        ::MessageBeep(MB_ICONQUESTION);
        return nullptr;
    }
    NoteEvent original;
    CopyNote(*hoveredNote, original);
    original.next = original.prev = nullptr;
    NoteEvent copy = original;
    DeleteNote(false, currentTrack, copy);
    ForgetHoveredNote();
    copy.accidental = 0;
    copy.pitch = pitchUnderMouse;
    // The drag stops at the song's end, where note entry stops too.
    if (score.MeasureAtTick(tick) >= kLastEntryMeasure)
        tick = std::max(0, score.MeasureStartTick(kLastEntryMeasure) - (copy.end - copy.start));
    if (copy.tupletNumber == 0) {
        copy.end = copy.end - copy.start + tick;
        copy.start = tick;
    }
    CTrack* track = score.GetTrack(currentTrack);
    // A place the track refuses (the span of a note with grace notes) leaves the note where it was.
    if (track && !track->InsertNoteCopy(false, copy))
        track->InsertNoteCopy(false, original);
    PreviewNote(true, copy.pitch, copy.start, currentTrack);
    ReselectMarkedNote(currentTrack);
    if (hoveredNote) {
        FollowUndoRecords(currentTrack, original, currentTrack, *hoveredNote);
        // The dragged note stays the one under the mouse, so that the next move does not look for another staff.
        hitKind = 1;
    }
    RedrawAndInvalidate();
    score.modified = 1;
    return hoveredNote;
}

void CScoreView::ReselectMarkedNote(int trackIndex)
{
    if (hoveredNote)
        hoveredNote->marked = 0;
    hoveredNote = nullptr;
    const CTrack* track = score.GetTrack(trackIndex);
    for (NoteEvent* note = track ? track->notes : nullptr; note && !hoveredNote; note = note->next)
        if (note->marked)
            hoveredNote = note;
}

CPoint CScoreView::StaffPointOnStrip(int trackIndex, int tick, int pitch)
{
    CTrack* track = score.GetTrack(trackIndex);
    int m = score.MeasureAtTick(tick);
    int p = track ? track->StaffPositionOfPitchEx(false, m, pitch) : 22;
    int s = track && track->ClefAtTick(tick) == kGrandStaff ? -1 : 0;
    int row = std::max(0, RowOfTrack(trackIndex));
    int y = (int)(rowOrigin + row * staffSpacingPx + p * unit / 2 + (int)(s * 7 * unit) / 2);
    return CPoint(TickToStripX(tick), y);
}
