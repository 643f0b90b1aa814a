// CTrack lifecycle, channel and instrument.
#include "song/track.h"

#include <cstring>

#include "song/instrument_names.h"
#include "song/score.h"
#include "song/track_append_index.h"

CTrack::CTrack() : instrumentName("---") {}

CTrack::~CTrack() { ClearLists(); }

void CTrack::SetChannel(int newChannel)
{
    ScoreLock lock(owner);
    channel = ((newChannel % 16) + 16) % 16;
    for (NoteEvent* note = notes; note; note = note->next)
        note->channel = static_cast<uint8_t>(channel);
    for (ControlEvent* event = controls; event; event = event->next)
        event->channel = static_cast<uint8_t>(channel);
}

void CTrack::SetInstrument(int newProgram)
{
    // A program outside the table would name the track from beyond it.
    if (newProgram < 0 || newProgram > kDrumKitProgram)
        return;
    ScoreLock lock(owner);
    instrumentName = InstrumentName(newProgram);
    if (newProgram < kDrumKitProgram) {
        DeleteControlsOfType(0xC0, 0);
        InsertControl(static_cast<uint8_t>(0xC0 | (channel & 0x0F)), static_cast<uint8_t>(newProgram), 0, 0);
    }
    program = newProgram;
    int newChannel = channel;
    if (newProgram == kDrumKitProgram)
        newChannel = 9;
    else if (channel == 9)
        newChannel = 0;
    SetChannel(newChannel);
}

void CTrack::SetInstrumentByName(CString text)
{
    instrumentName = text;
    for (int p = 0; p < kInstrumentCount; ++p) {
        if (strcmp(InstrumentName(p), text) == 0) {
            SetInstrument(p);
            return;
        }
    }
}

int CTrack::ClefAtTick(int tick) const
{
    int clef = CLEF_G;
    for (const ClefChange* change = clefs; change && change->tick <= tick; change = change->next)
        clef = change->clef;
    return clef;
}

int CTrack::ClefAtMeasure(int measure) const
{
    if (!owner)
        return CLEF_G;
    return ClefAtTick(owner->MeasureStartTick(measure));
}

int CTrack::TrackEndTick()
{
    int last = 0;
    auto raise = [&last](int tick) {
        if (tick > last)
            last = tick;
    };
    for (const NoteEvent* n = notes; n; n = n->next)
        raise(n->end);
    for (const ControlEvent* c = controls; c; c = c->next)
        raise(c->tick);
    for (const TrackDataEvent* d = dataEvents; d; d = d->next)
        raise(d->tick);
    for (const ClefChange* c = clefs; c; c = c->next)
        raise(c->tick);
    for (const PlacedSymbol* s = placedSymbols; s; s = s->next)
        raise(s->tick);
    for (const TrackTextEvent* t = textEvents; t; t = t->next)
        raise(t->tick);
    for (const TrackRecord40* r = records; r; r = r->next)
        raise(r->tick);
    for (const CurveMark* m = curveMarks; m; m = m->next)
        raise(m->tick1);
    for (const SpanRecord* s = spans; s; s = s->next)
        raise(s->start);
    endTick = last;
    return last;
}

namespace {

template <typename Node>
void FreeNodes(Node*& head)
{
    while (head) {
        Node* next = head->next;
        delete head;
        head = next;
    }
}

}  // namespace

void CTrack::BeginAppending() { appending = true; }

void CTrack::EndAppending()
{
    appending = false;
    appendIndex.reset();
}

TrackAppendIndex* CTrack::AppendIndex()
{
    // Made on first use: most tracks of a file get nothing.
    if (appending && !appendIndex)
        appendIndex = std::make_unique<TrackAppendIndex>();
    if (appendIndex && appendIndex->IsStale())
        appendIndex->Rebuild(notes, controls);
    return appendIndex.get();
}

void CTrack::ListsShrank()
{
    if (appendIndex)
        appendIndex->MarkStale();
}

void CTrack::ClearLists()
{
    ScoreLock lock(owner);
    ListsShrank();
    FreeNodes(notes);
    FreeNodes(controls);
    while (dataEvents) {
        TrackDataEvent* next = dataEvents->next;
        delete[] dataEvents->data;
        delete dataEvents;
        dataEvents = next;
    }
    FreeNodes(textEvents);
    FreeNodes(spans);
    FreeNodes(placedSymbols);
    FreeNodes(curveMarks);
    FreeNodes(records);
    FreeNodes(clefs);
    FreeNodes(velocities);
}

void CTrack::ClearClefs()
{
    ScoreLock lock(owner);
    FreeNodes(clefs);
}
