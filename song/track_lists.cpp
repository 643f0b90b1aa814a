// Track lists other than notes: controls, texts, data, placed symbols, curve marks, spans, records, clefs.
#include <algorithm>
#include <cstring>

#include "gdi/copy_log_font.h"
#include "song/list_ops.h"
#include "song/score.h"
#include "song/track.h"
#include "song/track_append_index.h"

ControlEvent* CTrack::InsertControl(uint8_t status, uint8_t data1, uint8_t data2, int tick)
{
    if ((status & 0xF0) == 0xB0 && data1 >= 121)
        return nullptr;
    if (!owner)
        return nullptr;
    ScoreLock lock(owner);
    ControlEvent* event = new ControlEvent;
    event->status = status;
    event->channel = static_cast<uint8_t>((notes ? notes->channel : channel) & 0x0F);
    // Data bytes are 7-bit; a larger value would index the instrument table out of range.
    event->data1 = data1 & 0x7F;
    event->data2 = data2 & 0x7F;
    event->tick = tick;
    // Events of one tick keep the order they came in (a bank select stays ahead of its program change).
    TrackAppendIndex* index = AppendIndex();
    ControlEvent* tail = index ? index->ControlTail() : nullptr;
    if (tail && tail->tick <= tick) {
        tail->next = event;
        index->ControlAppended(event);
    } else {
        LinkAfterEqual(controls, event, [](const ControlEvent* e) { return e->tick; });
        if (index && !event->next)
            index->ControlAppended(event);
    }
    BuildStaffPitchTable(false, owner->MeasureAtTick(tick));
    return event;
}

void CTrack::DeleteControlsOfType(uint8_t statusType, int fromTick)
{
    ScoreLock lock(owner);
    UnlinkAll(
        controls,
        [&](const ControlEvent* e) { return e->tick >= fromTick && (e->status & 0xF0) == (statusType & 0xF0); },
        DeleteNode<ControlEvent>);
    ListsShrank();
}

void CTrack::DeleteControllers(uint8_t statusType, uint8_t controller, int fromTick)
{
    ScoreLock lock(owner);
    UnlinkAll(
        controls,
        [&](const ControlEvent* e) {
            return e->tick >= fromTick && (e->status & 0xF0) == (statusType & 0xF0) && e->data1 == controller;
        },
        DeleteNode<ControlEvent>);
    ListsShrank();
}

int CTrack::GetVolume() const
{
    for (const ControlEvent* e = controls; e; e = e->next) {
        if ((e->status & 0xF0) == 0xB0 && e->data1 == 7)
            return e->data2;
    }
    return 100;
}

void CTrack::SetVolume(uint8_t value)
{
    ScoreLock lock(owner);
    DeleteControllers(0xB0, 7, 0);
    InsertControl(static_cast<uint8_t>(0xB0 | (channel & 0x0F)), 7, value, 0);
}

TrackTextEvent* CTrack::InsertTextEvent(int tick, int yOffset, int xOffset, char* text, const LOGFONTA* font, int value)
{
    ScoreLock lock(owner);
    if (text && strlen(text) > TrackTextEvent::kMaxChars)
        text[TrackTextEvent::kMaxChars] = '\0';
    TrackTextEvent* event = new TrackTextEvent;
    CopyTextField(event->text, TrackTextEvent::kTextSize, text);
    if (font)
        CopyLogFont(&event->font, font);
    event->textColor = static_cast<COLORREF>(value);
    event->tick = tick;
    event->xOffset = xOffset;
    event->yOffset = yOffset;
    LinkAfterEqual(textEvents, event, [](const TrackTextEvent* e) { return e->tick; });
    return event;
}

TrackTextEvent* CTrack::InsertTextEventCopy(const TrackTextEvent& source)
{
    ScoreLock lock(owner);
    TrackTextEvent* event = new TrackTextEvent;
    CopyLogFont(&event->font, &source.font);
    event->textSettings[0] = source.textSettings[0];
    event->textSettings[1] = source.textSettings[1];
    event->textColor = source.textColor;
    CopyTextField(event->text, TrackTextEvent::kTextSize, source.text);
    event->tick = source.tick;
    event->xOffset = source.xOffset;
    event->yOffset = source.yOffset;
    LinkAfterEqual(textEvents, event, [](const TrackTextEvent* e) { return e->tick; });
    return event;
}

int CTrack::DeleteTextEvent(TrackTextEvent* event)
{
    ScoreLock lock(owner);
    return UnlinkFirst(
               textEvents, [&](const TrackTextEvent* e) { return e == event; }, DeleteNode<TrackTextEvent>)
               ? 1
               : 0;
}

TrackDataEvent* CTrack::InsertDataEvent(int tick, uint8_t length, const uint8_t* data)
{
    ScoreLock lock(owner);
    TrackDataEvent* event = new TrackDataEvent;
    event->tick = tick;
    event->length = length;
    event->data = new uint8_t[length ? length : 1]();
    if (length && data)
        memcpy(event->data, data, length);
    LinkAfterEqual(dataEvents, event, [](const TrackDataEvent* e) { return e->tick; });
    return event;
}

PlacedSymbol* CTrack::InsertPlacedSymbol(int type, int tick, double xOffset, double yOffset, int value)
{
    ScoreLock lock(owner);
    PlacedSymbol* symbol = new PlacedSymbol;
    symbol->type = type;
    symbol->tick = tick;
    symbol->xOffset = xOffset;
    symbol->yOffset = yOffset;
    symbol->value = value;
    LinkAfterEqual(placedSymbols, symbol, [](const PlacedSymbol* s) { return s->tick; });
    return symbol;
}

CurveMark* CTrack::InsertCurveMark(const CurveMark& source)
{
    ScoreLock lock(owner);
    shown = 1;
    CurveMark* mark = new CurveMark(source);
    LinkAfterEqual(curveMarks, mark, [](const CurveMark* m) { return m->tick1; });
    return mark;
}

SpanRecord* CTrack::InsertSpan(const SpanRecord& source)
{
    ScoreLock lock(owner);
    SpanRecord* span = new SpanRecord(source);
    span->next = nullptr;
    span->text[SpanRecord::kTextSize - 1] = '\0';
    int newStart = span->start;
    int newEnd = span->end;

    // Spans wholly inside the new one go; overlapping ones are cut back to its edges.
    UnlinkAll(
        spans, [&](const SpanRecord* s) { return s->start >= newStart && s->end <= newEnd; }, DeleteNode<SpanRecord>);
    for (SpanRecord* s = spans; s; s = s->next) {
        if (s->start < newStart && s->end > newEnd) {
            SpanRecord* rest = new SpanRecord(*s);
            rest->start = newEnd;
            rest->flag = span->flag;
            s->end = newStart;
            rest->next = s->next;
            span->next = rest;
            s->next = span;
            return span;
        }
        if (s->start >= newStart && s->start < newEnd)
            s->start = newEnd;
        else if (s->end > newStart && s->end <= newEnd)
            s->end = newStart;
    }
    LinkAfterEqual(spans, span, [](const SpanRecord* s) { return s->start; });
    return span;
}

TrackRecord40* CTrack::InsertRecord40(bool copy, TrackRecord40* record)
{
    if (!record)
        return nullptr;
    ScoreLock lock(owner);
    TrackRecord40* node = copy ? new TrackRecord40(*record) : record;
    node->next = nullptr;
    LinkAheadOfEqual(records, node, [](const TrackRecord40* r) { return r->tick; });
    return node;
}

ClefChange* CTrack::InsertClef(bool dropLater, int tick, int clef)
{
    ScoreLock lock(owner);
    ClefChange* change = new ClefChange;
    change->tick = tick;
    change->clef = static_cast<uint8_t>(std::clamp(clef, 0, static_cast<int>(CLEF_PIANO)));
    LinkAfterEqual(clefs, change, [](const ClefChange* c) { return c->tick; });
    if (dropLater)
        TruncateAfter(change, DeleteNode<ClefChange>);
    return change;
}

int CTrack::FindSpanText(bool wantText, int tick, char* out, bool always) const
{
    for (const SpanRecord* s = spans; s; s = s->next) {
        if (s->start <= tick && tick < s->end) {
            if (wantText && s->flag && (always || s->secondFlag) && out)
                CopyTextField(out, SpanRecord::kTextSize, s->text);
            return (s->flag != 0) == wantText ? 1 : 0;
        }
    }
    return 0;
}
