// Delete-near family of a track: removes the first record matching a pattern within one editing step.
#include <cstdlib>
#include <cstring>

#include "song/list_ops.h"
#include "song/score.h"
#include "song/track.h"

int CTrack::StepTolerance() const { return owner ? owner->StepTicks(false) : 0; }

namespace {

bool Near(int a, int b, int tolerance) { return std::abs(a - b) < tolerance; }

}  // namespace

int CTrack::DeleteMatchingNote(const NoteEvent* pattern)
{
    if (!pattern || !owner)
        return 0;
    ScoreLock lock(owner);
    int tolerance = StepTolerance();
    for (NoteEvent* n = notes; n; n = n->next) {
        if (Near(n->start, pattern->start, tolerance) && n->pitch == pattern->pitch &&
            n->accidental == pattern->accidental && n->marked == pattern->marked)
            return DeleteNote(n);
    }
    return 0;
}

int CTrack::DeleteMatchingControl(const ControlEvent* p)
{
    if (!p || !owner)
        return 0;
    ScoreLock lock(owner);
    int tolerance = StepTolerance();
    bool deleted = UnlinkFirst(
        controls,
        [&](const ControlEvent* e) {
            return Near(e->tick, p->tick, tolerance) && e->status == p->status && e->channel == p->channel &&
                   e->data1 == p->data1 && e->data2 == p->data2;
        },
        DeleteNode<ControlEvent>);
    if (deleted)
        ListsShrank();
    return deleted ? 1 : 0;
}

int CTrack::DeleteMatchingClef(const ClefChange* p)
{
    if (!p || !owner)
        return 0;
    ScoreLock lock(owner);
    int tolerance = StepTolerance();
    return UnlinkFirst(
               clefs, [&](const ClefChange* c) { return Near(c->tick, p->tick, tolerance) && c->clef == p->clef; },
               DeleteNode<ClefChange>)
               ? 1
               : 0;
}

int CTrack::DeleteMatchingCurveMark(const CurveMark* p)
{
    if (!p || !owner)
        return 0;
    ScoreLock lock(owner);
    int tolerance = StepTolerance();
    return UnlinkFirst(
               curveMarks,
               [&](const CurveMark* m) {
                   return Near(m->tick1, p->tick1, tolerance) && Near(m->tick2, p->tick2, tolerance) &&
                          Near(m->tick3, p->tick3, tolerance) && m->offset1 == p->offset1 && m->offset3 == p->offset3;
               },
               DeleteNode<CurveMark>)
               ? 1
               : 0;
}

int CTrack::DeleteMatchingPlacedSymbol(const PlacedSymbol* p)
{
    if (!p || !owner)
        return 0;
    ScoreLock lock(owner);
    int tolerance = StepTolerance();
    return UnlinkFirst(
               placedSymbols,
               [&](const PlacedSymbol* s) {
                   return Near(s->tick, p->tick, tolerance) && s->type == p->type && s->xOffset == p->xOffset &&
                          s->yOffset == p->yOffset && s->value == p->value;
               },
               DeleteNode<PlacedSymbol>)
               ? 1
               : 0;
}

int CTrack::DeleteMatchingRecord40(const TrackRecord40* p)
{
    if (!p || !owner)
        return 0;
    ScoreLock lock(owner);
    int tolerance = StepTolerance();
    auto sameBytes = [](const TrackRecord40* a, const TrackRecord40* b) {
        return a->lowerStaff == b->lowerStaff && a->beamCount == b->beamCount && a->reserved == b->reserved &&
               a->slash == b->slash && a->noteCount == b->noteCount && memcmp(a->steps, b->steps, 4) == 0 &&
               memcmp(a->octaves, b->octaves, 4) == 0 && memcmp(a->directions, b->directions, 4) == 0 &&
               memcmp(a->accidentals, b->accidentals, 4) == 0;
    };
    return UnlinkFirst(
               records, [&](const TrackRecord40* r) { return Near(r->tick, p->tick, tolerance) && sameBytes(r, p); },
               DeleteNode<TrackRecord40>)
               ? 1
               : 0;
}

int CTrack::DeleteMatchingSpan(const SpanRecord* p)
{
    if (!p || !owner)
        return 0;
    ScoreLock lock(owner);
    int tolerance = StepTolerance();
    return UnlinkFirst(
               spans,
               [&](const SpanRecord* s) {
                   return Near(s->start, p->start, tolerance) && Near(s->end, p->end, tolerance) &&
                          s->flag == p->flag && strncmp(s->text, p->text, SpanRecord::kTextSize) == 0;
               },
               DeleteNode<SpanRecord>)
               ? 1
               : 0;
}

int CTrack::DeleteMatchingTextEvent(const TrackTextEvent* p)
{
    if (!p || !owner)
        return 0;
    ScoreLock lock(owner);
    int tolerance = StepTolerance();
    return UnlinkFirst(
               textEvents,
               [&](const TrackTextEvent* t) {
                   return Near(t->tick, p->tick, tolerance) &&
                          strncmp(t->text, p->text, TrackTextEvent::kTextSize) == 0;
               },
               DeleteNode<TrackTextEvent>)
               ? 1
               : 0;
}

int CTrack::DeleteMatchingDataEvent(const TrackDataEvent* p)
{
    if (!p || !owner)
        return 0;
    ScoreLock lock(owner);
    int tolerance = StepTolerance();
    return UnlinkFirst(
               dataEvents,
               [&](const TrackDataEvent* d) { return Near(d->tick, p->tick, tolerance) && d->length == p->length; },
               DeleteNodeWithData<TrackDataEvent>)
               ? 1
               : 0;
}
