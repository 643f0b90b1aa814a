// CScoreView::PaintTrackRecords: the track's grace-note figures that stand in the painted measures.
#include "scoreview/score_view.h"

void CScoreView::PaintTrackRecords(CDC* dc, int track, int firstMeasure, int endMeasure, int, int y, int size,
                                   int staff)
{
    const CTrack* owner = score.GetTrack(track);
    if (!owner)
        return;
    const bool pianoStaff = owner->ClefAtMeasure(0) == 4;
    for (const TrackRecord40* record = owner->records; record; record = record->next) {
        const int measure = score.MeasureAtTick(record->tick);
        if (measure < firstMeasure)
            continue;  // scrolled away: a later figure may still be in view
        if (measure >= endMeasure)
            break;
        const int x = (int)(TickToStripX(record->tick) - record->xOffset - record->noteCount * 10 * 0.7 / 2);
        if (record->lowerStaff == staff || !pianoStaff)
            PaintGraceFigure(track, dc, x, y, record, size);
    }
}
