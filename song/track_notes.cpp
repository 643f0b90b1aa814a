// Note insertion into a track: spelling, open-note closing, the blocking rule and sorted linking.
#include <algorithm>
#include <cstdint>

#include "song/score.h"
#include "song/track.h"
#include "song/track_append_index.h"

int CTrack::InsertNote(bool keepAsTemplate, int start, int end, int8_t pitch, uint8_t velocity, int8_t accidental,
                       uint8_t graceLink, uint8_t lowerStaff, uint8_t stemDirection, uint8_t tupletNumber,
                       uint32_t marked)
{
    ScoreLock lock(owner);
    if (notes)
        channel = notes->channel;
    if (!owner)
        return 0;

    int notePitch = std::clamp<int>(pitch, 0, 127);
    int measure = owner->MeasureAtTick(start);
    if (accidental != 0) {
        int position = StaffPositionOfPitchEx(lowerStaff != 0, measure, notePitch - accidental);
        int natural = PitchAtStaffPosition(position, measure, notePitch, lowerStaff);
        if (natural != notePitch - accidental)
            notePitch = std::clamp(natural + accidental, 0, 127);
    } else {
        accidental = static_cast<int8_t>(AccidentalOfPitch(start, notePitch, referencePitch));
    }

    NoteEvent* note = new NoteEvent;
    note->lowerStaff = lowerStaff;
    note->graceLink = static_cast<int8_t>(graceLink);
    note->accidental = accidental;
    note->stemDirection = static_cast<int8_t>(stemDirection);
    note->tupletNumber = tupletNumber;
    note->marked = marked;
    note->pitch = static_cast<uint8_t>(notePitch);
    note->velocity = static_cast<uint8_t>(std::min<int>(velocity, 127));
    note->channel = static_cast<uint8_t>(channel);
    note->start = start;
    note->end = end;
    if (keepAsTemplate)
        CopyNote(*note, noteTemplate);

    TrackAppendIndex* index = AppendIndex();
    if (!notes) {
        notes = note;
        if (index)
            index->NoteLinked(note, nullptr);
        return 1;
    }

    int step = owner->StepTicks(true);
    auto close = [step](NoteEvent* open) {
        open->end = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(open->start) + step, INT32_MAX));
    };
    NoteEvent* before = nullptr;
    NoteEvent* at = notes;
    if (index) {
        index->FindNotePlace(start, notePitch, before, at);
        index->CloseOpenNotes(notePitch, start, close);
    } else {
        while (at) {
            if (at->start > start || (at->start == start && at->pitch < notePitch))
                break;
            if (at->pitch == notePitch && at->start == at->end && at->start < start)
                close(at);
            before = at;
            at = at->next;
        }
    }
    bool blockedHere = at && at->graceLink != 0 && at->start == start;
    bool blockedBefore = before && before->graceLink != 0 && before->start <= start && start < before->end;
    if (blockedHere || blockedBefore) {
        delete note;
        return 0;
    }
    note->prev = before;
    note->next = at;
    if (before)
        before->next = note;
    else
        notes = note;
    if (at)
        at->prev = note;
    if (index)
        index->NoteLinked(note, at);
    return 1;
}

int CTrack::InsertNoteCopy(bool keepAsTemplate, const NoteEvent& note)
{
    if (!owner)
        return 0;
    ScoreLock lock(owner);
    BuildStaffPitchTable(false, owner->MeasureAtTick(note.start));
    return InsertNote(keepAsTemplate, note.start, note.end, static_cast<int8_t>(note.pitch), note.velocity,
                      note.accidental, static_cast<uint8_t>(note.graceLink), note.lowerStaff,
                      static_cast<uint8_t>(note.stemDirection), note.tupletNumber, note.marked);
}

void CTrack::CopyNote(const NoteEvent& from, NoteEvent& to)
{
    NoteEvent* next = to.next;
    NoteEvent* prev = to.prev;
    to = from;
    to.next = next;
    to.prev = prev;
}

void CTrack::AddMidiNote(int tick, uint8_t status, uint8_t pitch, uint8_t velocity)
{
    if ((status & 0xF0) == 0x80)
        EndNote(pitch, tick);
    else
        InsertNote(false, tick, tick, static_cast<int8_t>(pitch & 0x7F), velocity, 0, 0, 0, 0, 0, 0);
}

void CTrack::EndNote(int pitch, int tick)
{
    ScoreLock lock(owner);
    if (TrackAppendIndex* index = AppendIndex()) {
        if (NoteEvent* note = pitch >= 0 && pitch < 128 ? index->FirstOpenNote(pitch) : nullptr)
            note->end = tick;
        return;
    }
    for (NoteEvent* note = notes; note; note = note->next) {
        if (note->pitch == pitch && note->start == note->end) {
            note->end = tick;
            return;
        }
    }
}

int CTrack::VelocityAtTick(int tick) const
{
    int velocity = 96;
    for (const VelocityChange* change = velocities; change && change->tick <= tick; change = change->next)
        velocity = change->velocity;
    return velocity;
}

int CTrack::DeleteNote(NoteEvent* note)
{
    ScoreLock lock(owner);
    for (NoteEvent* n = notes; n; n = n->next) {
        if (n != note)
            continue;
        if (n->prev)
            n->prev->next = n->next;
        else
            notes = n->next;
        if (n->next)
            n->next->prev = n->prev;
        delete n;
        ListsShrank();
        return 1;
    }
    return 0;
}
