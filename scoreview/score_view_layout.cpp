// CScoreView: the measure strip and the note layout of a track, over the renderer's layout modules.
#include "scoreview/score_view.h"

#include "render/visible_tracks.h"

void CScoreView::LayoutTrackMeasures(int track)
{
    if (track < 0 || track >= kMaxTracks)
        return;
    // All rows share one strip, so a clef change of any shown track (or of this one) makes room in it.
    uint8_t clefs[kMeasureCount] = {};
    for (int m = 1; m < kMeasureCount; ++m) {
        bool changed = false;
        for (int t = 0; t < kMaxTracks && !changed; ++t) {
            const CTrack* other = score.GetTrack(t);
            if (t == track || (other && other->IsShown()))
                changed = score.measureClefTable[t][m] != score.measureClefTable[t][m - 1];
        }
        clefs[m] = changed ? clefs[m - 1] ^ 1 : clefs[m - 1];
    }
    ::LayoutTrackMeasures(score.measureTable, clefs, noteSpacing, measureX, zoom);
}

void CScoreView::RelayoutAllTracks()
{
    for (int i = 0; i < kMaxTracks; ++i)
        LayoutTrackMeasures(i);
    RedrawScore(true);
    if (m_hWnd)
        Invalidate(TRUE);
}

LayoutSong CScoreView::MakeLayoutSong(int track) const
{
    LayoutSong song;
    song.measures = score.measureTable;
    song.division = score.division;
    song.lastTickMeasure = score.MeasureAtTick(score.lastUsedTick);
    const CTrack* owner = score.GetTrack(track);
    song.clefAtTick = [owner](int tick) { return owner ? owner->ClefAtTick(tick) : 0; };
    song.gridValue = score.gridValue;
    song.tripletFlag = tupletFlags[0] != 0;
    return song;
}

void CScoreView::LayoutTrackNotes(int track, int firstMeasure, int lastMeasure, NoteEvent* notes)
{
    if (track < 0 || track >= kMaxTracks)
        return;
    noteLayout.LayoutTrackNotes(MakeLayoutSong(track), track, firstMeasure, lastMeasure, notes);
}

int CScoreView::GetFirstVisibleMeasure()
{
    return ::GetFirstVisibleMeasure(score.measureTable, score.division, firstVisibleBeat);
}

int CScoreView::GetNthVisibleTrack(bool, int n) const
{
    bool shown[kMaxTracks];
    for (int i = 0; i < kMaxTracks; ++i) {
        const CTrack* track = score.GetTrack(i);
        shown[i] = track && track->IsShown();
    }
    return ::GetNthVisibleTrack(shown, n);
}

int CScoreView::RowOfTrack(int track) const
{
    const CTrack* target = score.GetTrack(track);
    if (!target || !target->IsShown())
        return -1;
    int row = 0;
    for (int i = 0; i < track; ++i)
        if (const CTrack* before = score.GetTrack(i); before && before->IsShown())
            row += before->ClefAtMeasure(0) == 4 ? 2 : 1;
    return row;
}

int CScoreView::CountRows() const
{
    int rows = 0;
    for (int i = 0; i < kMaxTracks; ++i)
        if (const CTrack* track = score.GetTrack(i); track && track->IsShown())
            rows += track->ClefAtMeasure(0) == 4 ? 2 : 1;
    return rows;
}
