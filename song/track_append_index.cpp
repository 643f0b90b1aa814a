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
    std::deque<NoteEvent*>& open = openNotes[pitch];
    while (!open.empty() && !IsOpen(open.front(), pitch))
        open.pop_front();
    return open.empty() ? nullptr : open.front();
}

void TrackAppendIndex::NoteLinked(NoteEvent* note, const NoteEvent* at)
{
    if (!at)
        noteTail = note;
    if (!IsOpen(note, note->pitch))
        return;
    std::deque<NoteEvent*>& open = openNotes[note->pitch];
    auto place = std::upper_bound(open.begin(), open.end(), note->start,
                                  [](int start, const NoteEvent* n) { return start < n->start; });
    open.insert(place, note);
}

void TrackAppendIndex::Rebuild(NoteEvent* notes, ControlEvent* controls)
{
    for (std::deque<NoteEvent*>& open : openNotes)
        open.clear();
    noteTail = nullptr;
    for (NoteEvent* note = notes; note; note = note->next) {
        noteTail = note;
        if (IsOpen(note, note->pitch))
            openNotes[note->pitch].push_back(note);
    }
    controlTail = nullptr;
    for (ControlEvent* event = controls; event; event = event->next)
        controlTail = event;
    stale = false;
}
