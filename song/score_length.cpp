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

int CScore::TempoOfFileAt(int tick) const
{
    if (!tempoList)
        return tempo;
    int bpm = kMidiDefaultTempo;
    for (const TempoChange* t = tempoList; t && t->tick <= tick; t = t->next)
        bpm = t->bpm;
    return bpm;
}

double CScore::SecondsAtTick(int tick) const
{
    if (division <= 0)
        return 0;
    double seconds = 0;
    int from = 0;
    int bpm = TempoOfFileAt(0);
    for (const TempoChange* t = tempoList; t && t->tick < tick; t = t->next) {
        if (t->tick > from) {
            seconds += 60.0 * (t->tick - from) / (std::max(bpm, 1) * division);
            from = t->tick;
        }
        bpm = t->bpm;
    }
    return seconds + 60.0 * std::max(tick - from, 0) / (std::max(bpm, 1) * division);
}

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
