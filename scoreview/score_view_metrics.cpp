// CScoreView: the page size and the layout metrics that follow the zoom and the shown tracks.
#include "scoreview/score_view.h"

#include <algorithm>

#include "services/rounding.h"

namespace {

// Units the page keeps above the first row's top staff line and below the last row's bottom line.
constexpr double kRowMargin = 6.0;

// How far, in units, the notes of one staff reach beyond its outer line: above the top line or below the
// bottom line. A note carrying a grace chain reaches up to the chain's digits, which stand over its glyph cell.
double StaffReach(const CScore& score, int slot, bool lowerStaff, bool above, double unit)
{
    const CTrack& track = *score.GetTrack(slot);
    const bool pianoStaff = track.ClefAtMeasure(0) == 4;
    // The digits' rise over the cell, the octave dots over them (two of them) and a margin, in pixels.
    const double digits = (unit >= 10 ? 50 + 38 + 5 + 10 : 14 + 9 + 2 + 4) / unit;
    double reach = 0;
    int measure = 0;
    for (const NoteEvent* note = score.GetTrackNotes(slot); note; note = note->next) {
        if (pianoStaff && (note->lowerStaff != 0) != lowerStaff)
            continue;
        while (measure + 1 < kMeasureCount && score.MeasureStartTick(measure + 1) <= note->start)
            ++measure;
        const int p = track.StaffPositionOfPitchEx(lowerStaff, measure, note->pitch - note->accidental);
        // A beamed stem may reach three units beyond a head.
        double r = (above ? 18 - p : p - 26) / 2.0 + 3.5;
        if (above && (note->graceLink < -10 || note->graceLink > 10))
            r = (22 - p) / 2.0 + 3.5 + digits;
        reach = std::max(reach, r);
    }
    return reach;
}

}  // namespace

double CScoreView::RowSpacingPx() const
{
    // Where a row's notes would reach into the next row's staff, the rows move apart until they keep clear of
    // it by the margin the page keeps above its first row. A staff is four units tall.
    double spacing = staffSpacing;
    const CTrack* previous = nullptr;
    int previousSlot = -1;
    for (int i = 0; i < kMaxTracks && unit > 0; ++i) {
        const CTrack* track = score.GetTrack(i);
        if (!track || !track->IsShown())
            continue;
        const bool pianoStaff = track->ClefAtMeasure(0) == 4;
        if (previous) {
            const bool previousLower = previous->ClefAtMeasure(0) == 4;
            const double gap = std::max(StaffReach(score, previousSlot, previousLower, false, unit),
                                        StaffReach(score, i, false, true, unit));
            spacing = std::max(spacing, 4 + std::max(kRowMargin, gap));
        }
        if (pianoStaff)
            spacing = std::max(spacing, 4 + std::max({kRowMargin, StaffReach(score, i, false, false, unit),
                                                      StaffReach(score, i, true, true, unit)}));
        previous = track;
        previousSlot = i;
    }
    return spacing * unit;
}

void CScoreView::UpdatePageSize()
{
    int n = CountRows();
    const double oldSpacingPx = staffSpacingPx;
    staffSpacingPx = RowSpacingPx();
    lowerStaffSpacingPx = staffSpacingPx;
    int width = clientRect.Width(), height = clientRect.Height();
    // Notes far above the first row or below the last one get room of their own, so that they are not cut
    // off at the page's edges.
    double above = 0, below = 0;
    int first = -1, last = -1;
    for (int i = 0; i < kMaxTracks; ++i)
        if (const CTrack* track = score.GetTrack(i); track && track->IsShown()) {
            first = first < 0 ? i : first;
            last = i;
        }
    if (first >= 0 && unit > 0) {
        const bool lowerStaff = score.GetTrack(last)->ClefAtMeasure(0) == 4;
        above = std::max(0.0, StaffReach(score, first, false, true, unit) - kRowMargin);
        below = std::max(0.0, StaffReach(score, last, lowerStaff, false, unit) - kRowMargin);
    }
    int needed = RoundHalfAway((n - 1) * staffSpacingPx + (16 + above + below) * unit);
    pageWidth = width;
    pageHeight = std::max(height, needed);
    verticalOverflow = std::max(0, needed - height);
    int top = RoundHalfAway((pageHeight - (n - 1) * staffSpacingPx + (above - below) * unit) / 2 - 2 * unit);
    if (keepStaffPlace && unit > 0) {
        // The centred place lies midway between the highest and the lowest place that leave the notes room;
        // the staves stay where they are while that range holds them.
        int lowest = RoundHalfAway((kRowMargin + above) * unit);
        int highest = std::max(lowest, 2 * top - lowest);
        // When the rows move apart, the row of the current track keeps its place rather than the first one.
        const int shift = RoundHalfAway(std::max(0, RowOfTrack(currentTrack)) * (staffSpacingPx - oldSpacingPx));
        top = std::clamp(staffTopPx - shift - RoundHalfAway(2 * unit), lowest, highest);
    }
    SetStaffTop(top);
    SendReason(9);
}

void CScoreView::SetStaffTop(int y)
{
    if (unit == 0)
        return;
    firstStaffTop = std::max(3.0, y / unit + 2.0);
    staffTopPx = (int)(firstStaffTop * unit);
    SendReason(2);
}

void CScoreView::UpdateMetrics()
{
    UpdatePageSize();
    unit = 8.0 * zoom;
    g_viewUnit = unit;
    sevenUnits = RoundHalfAway(7 * unit);
    staffSpacingPx = RowSpacingPx();
    lowerStaffSpacingPx = staffSpacingPx;
    eightUnits = RoundHalfAway(8 * unit);
    staffTopPx = RoundHalfAway(firstStaffTop * unit);
    rowOrigin = RoundHalfAway(staffTopPx - 11 * unit);
    // The strip's room for clefs and signatures follows the zoom.
    for (int i = 0; i < kMaxTracks; ++i)
        LayoutTrackMeasures(i);
}
