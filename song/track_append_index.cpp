// The append index of a track: list ends and open notes per pitch.
#include "song/track_append_index.h"

#include <algorithm>

void TrackAppendIndex::FindNotePlace(int start, int pitch, NoteEvent*& before, NoteEvent*& at) const
{
    // Notes run by start, then by pitch from high to low; equal ones keep their insertion order.
    at = nullptr;
    before = noteTail;
    while (before && (before->start > start || (before->start == start && before->pitch < pitch))) {
        at = before;
        before = before->prev;
    }
}

NoteEvent* TrackAppendIndex::FirstOpenNote(int pitch)
{
    OpenNotes& open = openNotes[pitch];
    while (open.head < open.notes.size() && !IsOpen(open.notes[open.head], pitch))
        ++open.head;
    Compact(open);
    return open.head < open.notes.size() ? open.notes[open.head] : nullptr;
}

void TrackAppendIndex::NoteLinked(NoteEvent* note, const NoteEvent* at)
{
    if (!at)
        noteTail = note;
    if (!IsOpen(note, note->pitch))
        return;
    OpenNotes& open = openNotes[note->pitch];
    auto place = std::upper_bound(open.notes.begin() + static_cast<std::ptrdiff_t>(open.head), open.notes.end(),
                                  note->start, [](int start, const NoteEvent* n) { return start < n->start; });
    open.notes.insert(place, note);
}

void TrackAppendIndex::Compact(OpenNotes& open)
{
    // Gone entries are dropped once they are the greater part, so each costs its move once.
    if (open.head > 32 && open.head * 2 > open.notes.size()) {
        open.notes.erase(open.notes.begin(), open.notes.begin() + static_cast<std::ptrdiff_t>(open.head));
        open.head = 0;
    }
}

void TrackAppendIndex::Rebuild(NoteEvent* notes, ControlEvent* controls)
{
    for (OpenNotes& open : openNotes) {
        open.notes.clear();
        open.head = 0;
    }
    noteTail = nullptr;
    for (NoteEvent* note = notes; note; note = note->next) {
        noteTail = note;
        if (IsOpen(note, note->pitch))
            openNotes[note->pitch].notes.push_back(note);
    }
    controlTail = nullptr;
    for (ControlEvent* event = controls; event; event = event->next)
        controlTail = event;
    stale = false;
}
