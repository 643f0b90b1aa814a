// CScoreView: the measure strip and the note layout of a track, over the renderer's layout modules.
#include "scoreview/score_view.h"

#include <algorithm>
#include <vector>

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
    uint8_t leadAccidentals[kMeasureCount];
    CountLeadAccidentals(track, leadAccidentals);
    double spacings[kMeasureCount];
    FindAccidentalSpacings(track, spacings);
    ::LayoutTrackMeasures(score.measureTable, clefs, noteSpacing, measureX, zoom, leadAccidentals, spacings);
}

void CScoreView::CountLeadAccidentals(int track, uint8_t* counts) const
{
    std::fill(counts, counts + kMeasureCount, 0);
    std::vector<int64_t> starts(kMeasureCount + 1);
    for (int m = 0; m < kMeasureCount; ++m)
        starts[m + 1] = starts[m] + MeasureLengthTicks(score.measureTable[m], score.division);
    // A note within half a grid step of a bar line is laid out on it.
    const int64_t half = std::max(1, (int)(score.gridValue * 3.0 * score.division / 48.0)) / 2;
    for (int t = 0; t < kMaxTracks; ++t) {
        const CTrack* owner = score.GetTrack(t);
        if (!owner || (t != track && !owner->IsShown()))
            continue;
        std::vector<uint8_t> staves[2] = {std::vector<uint8_t>(kMeasureCount), std::vector<uint8_t>(kMeasureCount)};
        int m = 0;
        for (const NoteEvent* note = score.GetTrackNotes(t); note; note = note->next) {
            while (m + 1 < kMeasureCount && starts[m + 1] <= note->start + half)
                ++m;
            if (note->accidental == 0 || note->start + half - starts[m] >= 2 * half)
                continue;
            uint8_t& count = staves[note->lowerStaff != 0][m];
            count = (uint8_t)std::min(count + 1, 255);
            counts[m] = std::max(counts[m], count);
        }
    }
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
