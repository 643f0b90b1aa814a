// CScoreView: the ties of one staff, drawn after its notes as two thin arcs that give each tie its thickness.
#include "scoreview/score_view.h"

#include <algorithm>

#include "render/note_glyphs.h"

void CScoreView::PaintStaffTies(CDC* dc, const StaffPass& pass)
{
    CTrack* track = score.GetTrack(pass.track);
    CSlotList& ties = tieSlots[pass.track][pass.staff];
    const int count = ties.Count();
    if (!track || count == 0 || score.division == 0)
        return;
    const double u = unit;
    auto px = [u](double pixels) { return (int)(pixels * u / 8.0); };
    const int f = firstPaintedMeasure;
    const int off = (firstVisibleBeat - score.MeasureStartTick(f) / score.division) * 48;
    const bool lower = pass.staff != 0;
    for (int i = 0; i < count; ++i) {
        const Slot tie = ties.GetAt(i);
        const int m = tie.Measure(), q = tie.Position(), e = tie.TieEnd();
        if (m > endPaintedMeasure || m >= kStripMeasureCount)
            break;
        if (m + 1 < f || (m + 1 == f && (off != 0 || q < e)) || (m == f && q < e && e < off))
            continue;
        const bool entering = (m + 1 == f && q >= e) || (m == f && q < off);
        track->BuildStaffPitchTable(lower, m);
        const int cx = ContentX(m);
        const double spacing = MeasureSpacing(m);
        // A tie leaves its note after the head, or after the augmentation dots of a dotted piece.
        const int piece = (e > q ? e : MeasureLength48(score.measureTable[m])) - q;
        const int dots = DotCount(StandardLengthIndex(piece));
        const int leave = dots == 0 ? px(9) : (int)((1.75 + 0.5 * dots) * u);
        int x1 = entering ? pass.x0 + StripRoom(50, zoom) : (int)(cx + q * spacing + leave);
        int x2;
        if (e > q)
            x2 = cx + (int)(e * spacing);
        else if (m + 1 < kStripMeasureCount)
            x2 = ContentX(m + 1);
        else
            x2 = cx + (int)(score.MeasureLength(m) * 48 / score.division * spacing);
        // A short dotted piece leaves no room after its dots: the tie then starts as late as it can.
        if (!entering && dots > 0)
            x1 = std::max(std::min(x1, x2 - px(6)), (int)(cx + q * spacing + px(9)));
        const int p = track->StaffPositionOfPitchEx(lower, m, tie.TiePitch());
        int yb = (int)(pass.rowY + p * u / 2) + px(1);
        POINT start, end;
        if (p > 22) {
            // Below the middle line the tie bends downward: the lower halves of the two ellipses.
            yb += px(2);
            start = {x1 + 1, yb + 1};
            end = {x2 - 1, yb + 1};
        } else {
            std::swap(x1, x2);
            yb -= px(3);
            start = {x1 - 2, yb - 1};
            end = {x2 + 1, yb - 1};
        }
        const int left = std::min(x1, x2), right = std::max(x1, x2);
        dc->Arc(left, yb - px(5), right, yb + px(5), start.x, start.y, end.x, end.y);
        dc->Arc(left, yb - px(4), right, yb + px(4), start.x, start.y, end.x, end.y);
    }
}
