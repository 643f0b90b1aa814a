// CScoreView: the measure strip and the note layout of a track, over the renderer's layout modules.
#include "scoreview/score_view.h"

#include "render/visible_tracks.h"

void CScoreView::LayoutTrackMeasures(int track)
{
    if (track < 0 || track >= kMaxTracks)
        return;
    ::LayoutTrackMeasures(score.measureTable, score.measureClefTable[track], noteSpacing, measureX);
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
    song.owner = m_hWnd;
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
