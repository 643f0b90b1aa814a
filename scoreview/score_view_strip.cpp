// CScoreView: ticks to strip x and back, the grid, and the cursor x reported to the owner.
#include "scoreview/score_view.h"

StripView CScoreView::MakeStripView()
{
    StripView view;
    view.measures = score.measureTable;
    view.division = score.division;
    view.measureX = &measureX;
    view.stripOriginX = stripOriginX;
    view.firstVisibleMeasure = GetFirstVisibleMeasure();
    view.noteSpacing = noteSpacing;
    view.zoom = zoom;
    return view;
}

int CScoreView::TickToStripX(int tick) { return ::TickToStripX(MakeStripView(), tick); }

int CScoreView::StripXToTick(int x, int)
{
    GridSnap grid;
    grid.on = editMode == 1 || editMode == 2 || dragState == 1;
    grid.gridValue = score.gridValue;
    grid.tripletGridValue = score.tripletGridValue;
    grid.triplet = tupletFlags[0] != 0;
    return ::StripXToTick(MakeStripView(), grid, x);
}

int CScoreView::GetCursorStripX() { return TickToStripX(score.playTick); }

void CScoreView::PostCursorX(int sign)
{
    int x = GetCursorStripX();
    if (notifyWindow)
        notifyWindow->PostMessage(notifyMessage, notifyCode, x * sign);
}

int CScoreView::SnapTick(int tick) const { return ::SnapTick(tick, score.division, score.gridValue); }

void CScoreView::ToMusicDigits(char* text) { ::ToMusicDigits(text); }
