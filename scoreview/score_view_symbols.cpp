// CScoreView: placed symbols, measure marks, curve marks and track texts: symbol coordinates from a point.
#include "scoreview/score_view.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kMeasureMarkType = 214;
constexpr int kSymbolValue = 100;
constexpr size_t kTrackTextChars = 100;

const std::vector<int>& SymbolRow(int mode)
{
    static const std::vector<int> none;
    static const std::vector<int> mode4 = {107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119};
    static const std::vector<int> mode6 = {120, 121, 130, 131, 122, 123, 124, 125, 126, 127, 128, 129, 133, 135, 136,
                                           137, 138, 139, 78,  79,  80,  81,  82,  83,  87,  89,  90,  91,  93};
    static const std::vector<int> mode7 = {140, 141, 142, 143, 144, 145, 154, 155, 146, 147, 148, 149,
                                           150, 151, 152, 153, 156, 157, 158, 159, 185, 186, 187, 214};
    static const std::vector<int> mode8 = {160, 161, 162, 163, 164, 165, 166, 167, 168, 183, 184, 106,
                                           169, 170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 180};
    switch (mode) {
    case 4: return mode4;
    case 6: return mode6;
    case 7: return mode7;
    case 8: return mode8;
    default: return none;
    }
}

}  // namespace

int CScoreView::SymbolTypeForMode(int mode)
{
    const int column[9] = {0, 0, 0, 0, 1, 0, 3, 4, 5};
    const std::vector<int>& row = SymbolRow(mode);
    if (row.empty())
        return 0;
    int index = paletteChoice[column[mode]];
    return index >= 0 && index < (int)row.size() ? row[index] : 0;
}

int CScoreView::SymbolRowTop(int track) const
{
    return (int)(rowOrigin + std::max(0, RowOfTrack(track)) * staffSpacingPx);
}

int CScoreView::PageRightEdge() const { return (int)(pageWidth * zoom - leftMargin * unit); }

CPoint CScoreView::GetSymbolPoint(int, int rowTop, int tick, double yOffset, double xOffset)
{
    int y = (int)(rowTop + yOffset * unit);
    int x;
    if (xOffset > 1000)
        x = (int)(PageRightEdge() + (xOffset - 2000) * unit);
    else if (xOffset != 0)
        x = (int)(TickToStripX(score.MeasureStartTick(score.MeasureAtTick(tick))) + xOffset * unit);
    else
        x = TickToStripX(tick);
    return CPoint(x, y);
}

void CScoreView::PointToSymbolOffsets(int, int x, int y, int rowTop, int& tick, double& yOffset, double& xOffset)
{
    tick = std::max(0, StripXToTick(x, y));
    int m = score.MeasureAtTick(tick);
    int start = score.MeasureStartTick(m);
    if (tick == start) {
        xOffset = (x - TickToStripX(start)) / unit;
        if (xOffset == 0)
            xOffset = 0.001;  // zero would mean "at the tick"
    } else if (x >= TickToStripX(score.MeasureStartTick(m + 1))) {
        xOffset = (x - PageRightEdge()) / unit + 2000;
    } else {
        xOffset = 0;
    }
    yOffset = (y - rowTop) / unit;
}

void CScoreView::PlaceSymbolAtPoint(int x, int y, int type, int value)
{
    CTrack* track = score.GetTrack(currentTrack);
    if (!track)
        return;
    int tick = 0;
    double yOffset = 0, xOffset = 0;
    PointToSymbolOffsets(currentTrack, x, y, SymbolRowTop(currentTrack), tick, yOffset, xOffset);
    track->InsertPlacedSymbol(type, tick, xOffset, yOffset, value);
    score.modified = 1;
}

void CScoreView::InsertMeasureMarkByDialog(int tick)
{
    const ScoreViewDialogFactory& factory = GetScoreViewDialogFactory();
    int choice = 0;
    if (!factory.runChoice || factory.runChoice(this, choice) != IDOK)
        return;
    int m = score.MeasureAtTick(tick);
    int nearest = 0, distance = -1;
    for (int i = 0; i <= m + 1 && i < kMeasureCount; ++i) {
        int d = std::abs(score.MeasureStartTick(i) - tick);
        if (distance < 0 || d < distance) {
            nearest = i;
            distance = d;
        }
    }
    score.InsertMeasureMark(choice, nearest);
    score.modified = 1;
    RefreshScore();
}

void CScoreView::AddTrackTextByDialog(int tick, double xOffset, double yOffset)
{
    const ScoreViewDialogFactory& factory = GetScoreViewDialogFactory();
    CString text;
    CTrack* track = score.GetTrack(currentTrack);
    if (!track || !factory.runInputText || factory.runInputText(this, text) != IDOK || text.IsEmpty())
        return;
    TrackTextEvent event;
    event.font = g_defaultTextFont;
    event.textSettings[0] = 1.4;
    event.textSettings[1] = 0.7;
    event.textColor = g_defaultTextColour;
    std::strncpy(event.text, text, kTrackTextChars);
    event.tick = tick;
    event.xOffset = xOffset;
    event.yOffset = yOffset;
    track->InsertTextEventCopy(event);
    score.modified = 1;
    RefreshScore();
}

bool CScoreView::PlaceAtClick(int x, int y)
{
    int tick = 0;
    double yOffset = 0, xOffset = 0;
    PointToSymbolOffsets(currentTrack, x, y, SymbolRowTop(currentTrack), tick, yOffset, xOffset);
    if (editMode == 3) {
        if (paletteChoice[6] == 0)
            return false;
        AddTrackTextByDialog(tick, xOffset, yOffset);
        return true;
    }
    if (editMode == 5) {
        CTrack* track = score.GetTrack(currentTrack);
        if (!track)
            return false;
        CurveMark mark;
        mark.type = paletteChoice[2];
        mark.tick1 = mark.tick2 = mark.tick3 = tick;
        mark.offset1 = mark.offset2 = mark.offset3 = yOffset;
        std::fill(std::begin(mark.xOffset), std::end(mark.xOffset), xOffset);
        editedCurve = track->InsertCurveMark(mark);
        draggedPoint = 3;
        hitKind = 4;
        dragState = 0;
        editTrack = currentTrack;
        score.modified = 1;
        return true;
    }
    int type = SymbolTypeForMode(editMode);
    if (type == 0)
        return false;
    if (type == kMeasureMarkType)
        InsertMeasureMarkByDialog(tick);
    else
        PlaceSymbolAtPoint(x, y, type, kSymbolValue);
    return true;
}

void CScoreView::DragCurvePoint(int x, int y)
{
    if (!editedCurve)
        return;
    int rowTop = SymbolRowTop(editTrack);
    int tick = 0;
    double yOffset = 0, xOffset = 0;
    PointToSymbolOffsets(editTrack, x, y, rowTop, tick, yOffset, xOffset);
    int32_t* ticks[3] = {&editedCurve->tick1, &editedCurve->tick2, &editedCurve->tick3};
    double* offsets[3] = {&editedCurve->offset1, &editedCurve->offset2, &editedCurve->offset3};
    int point = std::clamp(draggedPoint, 1, 3) - 1;
    *ticks[point] = tick;
    *offsets[point] = yOffset;
    editedCurve->xOffset[point] = xOffset;
    if (draggedPoint == 3 && paletteChoice[2] == 0) {
        // The middle point keeps the arc between the ends, below them or above as the first point lies.
        CPoint p1 =
            GetSymbolPoint(editTrack, rowTop, editedCurve->tick1, editedCurve->offset1, editedCurve->xOffset[0]);
        CPoint p3 =
            GetSymbolPoint(editTrack, rowTop, editedCurve->tick3, editedCurve->offset3, editedCurve->xOffset[2]);
        int mx = (p1.x + p3.x) / 2;
        int my = editedCurve->offset1 >= 0 ? (int)(std::max(p1.y, p3.y) + 1.5 * unit)
                                           : (int)(std::min(p1.y, p3.y) - 1.5 * unit);
        PointToSymbolOffsets(editTrack, mx, my, rowTop, tick, yOffset, xOffset);
        editedCurve->tick2 = tick;
        editedCurve->offset2 = yOffset;
        editedCurve->xOffset[1] = xOffset;
    }
    RedrawScore(false);
    if (m_hWnd)
        Invalidate(FALSE);
    score.modified = 1;
}

void CScoreView::EraseEditedCurve()
{
    CTrack* track = score.GetTrack(currentTrack);
    if (!editedCurve || !track)
        return;
    PushUndoCurveDeleted(*editedCurve);
    CurveMark pattern = *editedCurve;
    editedCurve = nullptr;
    track->DeleteMatchingCurveMark(&pattern);
    hitKind = 0;
}
