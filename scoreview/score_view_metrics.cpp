// CScoreView: the page size and the layout metrics that follow the zoom and the shown tracks.
#include "scoreview/score_view.h"

#include <algorithm>

#include "services/rounding.h"

void CScoreView::UpdatePageSize()
{
    int n = CountRows();
    int width = clientRect.Width(), height = clientRect.Height();
    int needed = RoundHalfAway((n - 1) * staffSpacingPx + 16 * unit);
    pageWidth = width;
    pageHeight = std::max(height, needed);
    verticalOverflow = std::max(0, needed - height);
    SetStaffTop(RoundHalfAway((pageHeight - (n - 1) * staffSpacingPx) / 2 - 2 * unit));
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
    staffSpacingPx = staffSpacing * unit;
    lowerStaffSpacingPx = staffSpacingPx;
    eightUnits = RoundHalfAway(8 * unit);
    staffTopPx = RoundHalfAway(firstStaffTop * unit);
    rowOrigin = RoundHalfAway(staffTopPx - 11 * unit);
}
