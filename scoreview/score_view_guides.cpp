// CScoreView: the layout guides the user drags (staff spacing, margins, line gaps) and the per-measure flag.
#include "scoreview/score_view.h"

#include <algorithm>

void CScoreView::SetStaffSpacing(int y)
{
    if (unit == 0)
        return;
    y = WindowToPage(CPoint(0, y)).y;
    staffSpacing = std::max(5.0, y / unit - firstStaffTop);
    staffSpacingPx = RowSpacingPx();
    lowerStaffSpacingPx = staffSpacingPx;
    RedrawAndInvalidate();
    SendReason(2);
}

void CScoreView::SetBottomMargin(int y)
{
    if (unit == 0)
        return;
    y = WindowToPage(CPoint(0, y)).y;
    bottomMargin = std::max(0.0, pageHeight * zoom / unit - y / unit);
    RedrawAndInvalidate();
    SendReason(2);
}

void CScoreView::SetLineGap(int y)
{
    if (unit == 0 || selectedLine < 0 || selectedLine >= kLineCount)
        return;
    y = WindowToPage(CPoint(0, y)).y;
    score.lineGaps[selectedLine] = (y - (rowOrigin + selectedLine * staffSpacingPx)) / unit;
    RedrawAndInvalidate();
    SendReason(2);
}

void CScoreView::SetLeftMargin(int x)
{
    if (unit == 0)
        return;
    x = WindowToPage(CPoint(x, 0)).x;
    int w = (int)(zoom * pageWidth / unit);
    leftMargin = std::clamp(x / unit, 0.0, (double)(w * 3 / 5));
    RedrawAndInvalidate();
    SendReason(2);
}

void CScoreView::SetRangeMeasureValue(int value)
{
    int first = std::clamp(score.MeasureAtTick(std::min(score.loopStart, score.loopEnd)), 0, kMeasureCount - 1);
    int last = std::clamp(score.MeasureAtTick(std::max(score.loopStart, score.loopEnd)), 0, kMeasureCount - 1);
    for (int t = std::max(0, selectedFirstTrack); t <= selectedLastTrack && t < kMaxTracks; ++t)
        for (int m = first; m <= last; ++m)
            score.measureValues[t][m] = value;
    RedrawAndInvalidate();
}
