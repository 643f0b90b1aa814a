// Song length and tick helpers shared by playback, the file writers and the views.
#include <algorithm>

#include "song/score.h"

int CScore::FirstProgramOfTrack(int track) const
{
    for (const ControlEvent* e = GetTrackControls(track); e; e = e->next) {
        if ((e->status & 0xF0) == 0xC0)
            return e->data1;
    }
    return 0;
}

int CScore::TicksToBeats(int tick) const { return division ? tick / division : 0; }

int CScore::UpdateScoreLength()
{
    ScoreLock lock(this);
    int last = 0;
    for (const TempoChange* e = tempoList; e; e = e->next)
        last = std::max<int>(last, e->tick);
    for (const TimeSignatureChange* e = timeList; e; e = e->next)
        last = std::max<int>(last, e->tick);
    for (const KeySignatureChange* e = keyList; e; e = e->next)
        last = std::max<int>(last, e->tick);
    for (const TextAnnotation* e = annotations; e; e = e->next)
        last = std::max<int>(last, e->tick);
    for (int t = 0; t <= trackCount - 2 && t < kMaxTracks; ++t)
        last = std::max(last, tracks[t]->TrackEndTick());
    lastUsedTick = last;
    return last;
}

void CScore::ExtendToMeasureOf(int tick)
{
    int end = MeasureStartTick(MeasureAtTick(tick) + 1) - 1;
    if (end > lastUsedTick)
        lastUsedTick = end;
}
