// Key, time signature, tempo and clef changes of the song.
#include <algorithm>

#include "song/list_ops.h"
#include "song/score.h"

KeySignatureChange* CScore::SetKeySignatureFrom(int tick, int8_t count, uint8_t mode)
{
    ScoreLock lock(this);
    KeySignatureChange* change = new KeySignatureChange;
    // More than seven accidentals has no staff spelling and would read past the key tables.
    change->count = static_cast<int8_t>(std::clamp<int>(count, -7, 7));
    change->mode = mode;
    change->tick = tick;
    LinkAfterEqual(keyList, change, [](const KeySignatureChange* k) { return k->tick; });
    TruncateAfter(change, DeleteNode<KeySignatureChange>);
    return change;
}

int CScore::KeySignatureAt(int tick) const
{
    int count = 0;
    for (const KeySignatureChange* k = keyList; k; k = k->next) {
        if (k != keyList && k->tick > tick)
            break;
        count = k->count;
    }
    return count;
}

TimeSignatureChange* CScore::SetTimeSignatureFrom(int tick, uint8_t numerator, uint8_t denominatorPower)
{
    ScoreLock lock(this);
    TimeSignatureChange* change = new TimeSignatureChange;
    // The measure table holds the denominator as a signed byte note value: powers 0..6 (whole to 64th).
    change->numerator = static_cast<uint8_t>(std::clamp<int>(numerator, 1, 127));
    change->denominatorPower = std::min<uint8_t>(denominatorPower, 6);
    change->tick = tick;
    LinkAfterEqual(timeList, change, [](const TimeSignatureChange* t) { return t->tick; });
    TruncateAfter(change, DeleteNode<TimeSignatureChange>);
    return change;
}

void CScore::TimeSignatureAt(int tick, uint8_t& numerator, uint8_t& denominatorPower) const
{
    numerator = 4;
    denominatorPower = 2;
    for (const TimeSignatureChange* t = timeList; t; t = t->next) {
        if (t != timeList && t->tick > tick)
            break;
        numerator = t->numerator;
        denominatorPower = t->denominatorPower;
    }
}

TempoChange* CScore::SetTempoAt(bool keepLater, int bpm, int tick)
{
    ScoreLock lock(this);
    tempoChanged = 1;
    TempoChange* change = new TempoChange;
    // A tempo of 0 would divide by zero in the tick timing.
    change->bpm = static_cast<uint16_t>(std::clamp(bpm, 1, 65535));
    change->tick = tick;
    LinkAheadOfEqual(tempoList, change, [](const TempoChange* t) { return t->tick; });
    if (!keepLater) {
        TruncateAfter(change, DeleteNode<TempoChange>);
        if (division > 0)
            msPerTick = 60000.0 / change->bpm / division;
    }
    return change;
}

int CScore::TempoAt(int tick) const
{
    int bpm = 100;
    for (const TempoChange* t = tempoList; t; t = t->next) {
        if (t != tempoList && t->tick >= tick)
            break;
        bpm = t->bpm;
    }
    return bpm;
}

ClefChange* CScore::SetClefFrom(bool dropLater, int track, int tick, int clef)
{
    CTrack* target = GetTrack(track);
    if (!target)
        return nullptr;
    return target->InsertClef(dropLater, tick, clef);
}
