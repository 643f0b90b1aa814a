// Score-level elements: measure marks, system-exclusive events, text annotations and their removal.
#include <cstdlib>
#include <cstring>

#include "gdi/copy_log_font.h"
#include "song/list_ops.h"
#include "song/score.h"

MeasureMark* CScore::InsertMeasureMark(int value, int measure)
{
    ScoreLock lock(this);
    // An existing mark is handed back instead of a new one, so callers always get a node.
    for (MeasureMark* mark = measureMarks; mark && mark->measure <= measure; mark = mark->next) {
        if (mark->measure == measure && mark->value == value)
            return mark;
    }
    MeasureMark* mark = new MeasureMark;
    mark->value = value;
    mark->measure = measure;
    LinkAfterEqual(measureMarks, mark, [](const MeasureMark* m) { return m->measure; });
    return mark;
}

int CScore::HasMeasureMark(int measure, int value) const
{
    for (const MeasureMark* mark = measureMarks; mark && mark->measure <= measure; mark = mark->next) {
        if (mark->measure == measure && mark->value == value)
            return 1;
    }
    return 0;
}

SysExEvent* CScore::InsertSysEx(int tick, uint8_t length, const uint8_t* data)
{
    ScoreLock lock(this);
    SysExEvent* event = new SysExEvent;
    event->tick = tick;
    event->length = length;
    event->data = new uint8_t[length ? length : 1]();
    if (length && data)
        memcpy(event->data, data, length);
    // Messages of one tick keep the order they came in.
    LinkAfterEqual(sysExList, event, [](const SysExEvent* e) { return e->tick; });
    return event;
}

TextAnnotation* CScore::InsertTextAnnotation(const TextAnnotation& source)
{
    ScoreLock lock(this);
    TextAnnotation* node = new TextAnnotation;
    node->tick = source.tick;
    CopyLogFont(&node->font, &source.font);
    node->textSettings[0] = source.textSettings[0];
    node->textSettings[1] = source.textSettings[1];
    node->textColor = source.textColor;
    CopyTextField(node->text, TextAnnotation::kTextSize, source.text);
    LinkAfterEqual(annotations, node, [](const TextAnnotation* a) { return a->tick; });
    return node;
}

int CScore::DeleteTextAnnotation(TextAnnotation* node)
{
    if (!node)
        return 0;
    ScoreLock lock(this);
    return UnlinkFirst(
               annotations, [&](const TextAnnotation* a) { return a == node; }, DeleteNode<TextAnnotation>)
               ? 1
               : 0;
}

int CScore::DeleteTempoNear(const TempoChange& p)
{
    ScoreLock lock(this);
    int tolerance = StepTicks(true);
    return UnlinkFirst(
               tempoList,
               [&](const TempoChange* t) { return std::abs(t->tick - p.tick) < tolerance && t->bpm == p.bpm; },
               DeleteNode<TempoChange>)
               ? 1
               : 0;
}

int CScore::DeleteTimeSignatureNear(const TimeSignatureChange& p)
{
    ScoreLock lock(this);
    int tolerance = StepTicks(true);
    return UnlinkFirst(
               timeList,
               [&](const TimeSignatureChange* t) {
                   return std::abs(t->tick - p.tick) < tolerance && t->numerator == p.numerator &&
                          t->denominatorPower == p.denominatorPower;
               },
               DeleteNode<TimeSignatureChange>)
               ? 1
               : 0;
}

int CScore::DeleteKeySignatureNear(const KeySignatureChange& p)
{
    ScoreLock lock(this);
    int tolerance = StepTicks(true);
    return UnlinkFirst(
               keyList,
               [&](const KeySignatureChange* k) {
                   return std::abs(k->tick - p.tick) < tolerance && k->count == p.count && k->mode == p.mode;
               },
               DeleteNode<KeySignatureChange>)
               ? 1
               : 0;
}

int CScore::DeleteMeasureMark(const MeasureMark& p)
{
    ScoreLock lock(this);
    return UnlinkFirst(
               measureMarks, [&](const MeasureMark* m) { return m->value == p.value && m->measure == p.measure; },
               DeleteNode<MeasureMark>)
               ? 1
               : 0;
}
