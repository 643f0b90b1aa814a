// Whole-song edits: inserting and deleting measures, scaling every tick, scale steps.
#include <algorithm>
#include <cstdint>

#include "song/list_ops.h"
#include "song/score.h"
#include "song/track_times.h"

void CScore::DeleteMeasureRange(int measure, int count)
{
    ScoreLock lock(this);
    int from = MeasureStartTick(measure);
    int to = MeasureStartTick(measure + count);
    auto inside = [from, to](int tick) { return tick >= from && tick < to; };
    for (CTrack* track : tracks) {
        if (!track)
            continue;
        NoteEvent* note = track->notes;
        while (note) {
            NoteEvent* next = note->next;
            if (inside(note->start))
                track->DeleteNote(note);
            note = next;
        }
        UnlinkAll(
            track->controls, [&](const ControlEvent* e) { return inside(e->tick); }, DeleteNode<ControlEvent>);
        UnlinkAll(
            track->clefs, [&](const ClefChange* e) { return inside(e->tick); }, DeleteNode<ClefChange>);
        UnlinkAll(
            track->curveMarks, [&](const CurveMark* e) { return inside(e->tick1); }, DeleteNode<CurveMark>);
        UnlinkAll(
            track->placedSymbols, [&](const PlacedSymbol* e) { return inside(e->tick); }, DeleteNode<PlacedSymbol>);
        UnlinkAll(
            track->records, [&](const TrackRecord40* e) { return inside(e->tick); }, DeleteNode<TrackRecord40>);
        UnlinkAll(
            track->spans, [&](const SpanRecord* e) { return inside(e->start); }, DeleteNode<SpanRecord>);
        UnlinkAll(
            track->textEvents, [&](const TrackTextEvent* e) { return inside(e->tick); }, DeleteNode<TrackTextEvent>);
        UnlinkAll(
            track->dataEvents, [&](const TrackDataEvent* e) { return inside(e->tick); },
            DeleteNodeWithData<TrackDataEvent>);
    }
    UnlinkAll(
        tempoList, [&](const TempoChange* e) { return inside(e->tick); }, DeleteNode<TempoChange>);
    UnlinkAll(
        timeList, [&](const TimeSignatureChange* e) { return inside(e->tick); }, DeleteNode<TimeSignatureChange>);
    UnlinkAll(
        keyList, [&](const KeySignatureChange* e) { return inside(e->tick); }, DeleteNode<KeySignatureChange>);
    UnlinkAll(
        annotations, [&](const TextAnnotation* e) { return inside(e->tick); }, DeleteNode<TextAnnotation>);
    UnlinkAll(
        measureMarks, [&](const MeasureMark* m) { return m->measure >= measure && m->measure < measure + count; },
        DeleteNode<MeasureMark>);
    RebuildTimeTable();
    RebuildKeyTable();
    RebuildClefTable();
}

void CScore::ShiftTicksFrom(int start, int shift, int markMeasure, int markShift)
{
    auto move = [start, shift](int32_t& tick) {
        if (tick >= start)
            tick += shift;
    };
    for (CTrack* track : tracks) {
        if (!track)
            continue;
        ForEachTrackTime(*track, move, [start, shift](int32_t& first, int32_t& last) {
            if (first >= start) {
                first += shift;
                last += shift;
            }
        });
    }
    for (TempoChange* e = tempoList; e; e = e->next)
        move(e->tick);
    for (TimeSignatureChange* e = timeList; e; e = e->next)
        move(e->tick);
    for (KeySignatureChange* e = keyList; e; e = e->next)
        move(e->tick);
    for (SysExEvent* e = sysExList; e; e = e->next)
        move(e->tick);
    for (TextAnnotation* e = annotations; e; e = e->next)
        move(e->tick);
    for (MeasureMark* m = measureMarks; m; m = m->next) {
        if (m->measure >= markMeasure)
            m->measure += markShift;
    }
}

void CScore::InsertDeleteMeasures(bool insert, int measure, int count)
{
    if (count == 0)
        return;
    ScoreLock lock(this);
    int start = MeasureStartTick(measure);
    int shift = (MeasureStartTick(measure + 1) - start) * count;
    if (!insert) {
        DeleteMeasureRange(measure, count);
        shift = -shift;
    }
    ShiftTicksFrom(start, shift, measure, insert ? count : -count);
    RebuildTimeTable();
    RebuildClefTable();
    RebuildKeyTable();
}

int CScore::ScaleTick(int tick, double factor) const
{
    double unscaled = std::clamp(tick / timeScale, double(INT32_MIN), double(INT32_MAX));
    return static_cast<int>(std::clamp(static_cast<int>(unscaled) * factor, double(INT32_MIN), double(INT32_MAX)));
}

void CScore::ScaleTimes(double factor)
{
    // A factor of zero would make every later scale divide by zero.
    if (!(factor > 0.0 && factor < 1000.0))
        return;
    ScoreLock lock(this);
    auto scale = [this, factor](int32_t& tick) { tick = ScaleTick(tick, factor); };
    for (CTrack* track : tracks) {
        if (track)
            ForEachTrackTime(*track, scale, [&scale](int32_t& first, int32_t& last) {
                scale(first);
                scale(last);
            });
    }
    for (TempoChange* e = tempoList; e; e = e->next)
        scale(e->tick);
    for (TimeSignatureChange* e = timeList; e; e = e->next)
        scale(e->tick);
    for (KeySignatureChange* e = keyList; e; e = e->next)
        scale(e->tick);
    timeScale = factor;
}

int CScore::ScaleStepOfPitch(int track, int pitch, int measure)
{
    CTrack* target = GetTrack(track);
    return target ? target->ScaleStepOf(measure, pitch) : 1;
}
