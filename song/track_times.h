// Visiting every tick a track holds, for edits that move or rescale the whole song.
#pragma once

#include <cstdint>

#include "song/track.h"

// Calls tick(int32_t&) for each single tick and span(int32_t& start, int32_t& end) for each note and span,
// so that a start and its end can be moved together.
template <typename Tick, typename Span>
void ForEachTrackTime(CTrack& track, Tick tick, Span span)
{
    for (NoteEvent* n = track.notes; n; n = n->next)
        span(n->start, n->end);
    for (ControlEvent* e = track.controls; e; e = e->next)
        tick(e->tick);
    for (ClefChange* e = track.clefs; e; e = e->next)
        tick(e->tick);
    for (CurveMark* e = track.curveMarks; e; e = e->next) {
        tick(e->tick1);
        tick(e->tick2);
        tick(e->tick3);
    }
    for (PlacedSymbol* e = track.placedSymbols; e; e = e->next)
        tick(e->tick);
    for (TrackRecord40* e = track.records; e; e = e->next)
        tick(e->tick);
    for (TrackTextEvent* e = track.textEvents; e; e = e->next)
        tick(e->tick);
    for (SpanRecord* e = track.spans; e; e = e->next)
        span(e->start, e->end);
    for (TrackDataEvent* e = track.dataEvents; e; e = e->next)
        tick(e->tick);
}
