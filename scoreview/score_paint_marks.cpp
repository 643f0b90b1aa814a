// CScoreView: the repeat signs of the song's measure marks on one row, placed on the painted strip.
#include "scoreview/score_view.h"

#include "render/measure_marks.h"

void CScoreView::PaintMeasureMarks(CDC* dc, int, int firstMeasure, int lastMeasure, int y, double unit, int extend)
{
    // The renderer places a sign relative to the first painted measure's content start; on the page that
    // content start stands at XM, so the signs are drawn with the origin moved there to sit on their bar lines.
    int xm = stripOriginX + StripRoom(100, zoom);
    MeasureMarkRow row;
    row.measureX = &measureX;
    row.firstMeasure = firstMeasure;
    row.lastMeasure = lastMeasure;
    row.y = y;
    row.unit = unit;
    row.extend = extend;
    row.rightEndX = (int)(pageWidth * zoom - unit * leftMargin) - xm;
    CPoint old = dc->OffsetViewportOrg(xm, 0);
    ::PaintMeasureMarks(dc, score.measureMarks, row);
    dc->SetViewportOrg(old);
}
