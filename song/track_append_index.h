// TrackAppendIndex: the ends of a track's note and control lists and its open notes, kept while a
// file is read in so that inserting at or near the end of a list walks nothing.
#pragma once

#include <cstddef>
#include <vector>

#include "song/element_records.h"

class TrackAppendIndex {
public:
    // The note the new one goes after (null: the head) and the one it goes before, found from the end.
    void FindNotePlace(int start, int pitch, NoteEvent*& before, NoteEvent*& at) const;
    // Calls close on each open note of a pitch that starts before start.
    template <typename Close>
    void CloseOpenNotes(int pitch, int start, Close close);
    // The first open note of a pitch in list order, or null.
    NoteEvent* FirstOpenNote(int pitch);
    // A note linked just before at (null: at the end).
    void NoteLinked(NoteEvent* note, const NoteEvent* at);
    // The last control event, or null for an empty list.
    ControlEvent* ControlTail() const { return controlTail; }
    void ControlAppended(ControlEvent* event) { controlTail = event; }

    // Rebuilds everything from the lists; needed first and after any removal from them.
    void Rebuild(NoteEvent* notes, ControlEvent* controls);
    bool IsStale() const { return stale; }
    void MarkStale() { stale = true; }

private:
    // Open notes of one pitch in list order; those before head are gone.
    struct OpenNotes {
        std::vector<NoteEvent*> notes;
        size_t head = 0;
    };

    static bool IsOpen(const NoteEvent* note, int pitch) { return note->pitch == pitch && note->start == note->end; }
    static void Compact(OpenNotes& open);

    NoteEvent* noteTail = nullptr;
    ControlEvent* controlTail = nullptr;
    OpenNotes openNotes[128];
    bool stale = true;
};

template <typename Close>
void TrackAppendIndex::CloseOpenNotes(int pitch, int start, Close close)
{
    OpenNotes& open = openNotes[pitch];
    size_t end = open.head;
    while (end < open.notes.size() && open.notes[end]->start < start)
        ++end;
    // Those before end start earlier; a note the step leaves open stays listed, in its order.
    size_t kept = end;
    for (size_t i = end; i-- > open.head;) {
        NoteEvent* note = open.notes[i];
        if (!IsOpen(note, pitch))
            continue;
        close(note);
        if (IsOpen(note, pitch))
            open.notes[--kept] = note;
    }
    open.head = kept;
    Compact(open);
}
