// TrackAppendIndex: the ends of a track's note and control lists and its open notes, kept while a
// file is read in so that inserting at or near the end of a list walks nothing.
#pragma once

#include <deque>

#include "song/element_records.h"

class TrackAppendIndex {
public:
    // The note the new one goes after (null: the head) and the one it goes before, found from the end.
    void FindNotePlace(int start, int pitch, NoteEvent*& before, NoteEvent*& at) const;
    // Open notes of a pitch that start before start, in list order; the caller closes them.
    template <typename Close>
    void CloseOpenNotes(int pitch, int start, Close close);
    // The first open note of a pitch in list order, or null.
    NoteEvent* FirstOpenNote(int pitch);
    // A note linked between before and at.
    void NoteLinked(NoteEvent* note, const NoteEvent* at);
    // The last control event, or null for an empty list.
    ControlEvent* ControlTail() const { return controlTail; }
    void ControlAppended(ControlEvent* event) { controlTail = event; }

    // Rebuilds everything from the lists; needed first and after any removal from them.
    void Rebuild(NoteEvent* notes, ControlEvent* controls);
    bool IsStale() const { return stale; }
    void MarkStale() { stale = true; }

private:
    static bool IsOpen(const NoteEvent* note, int pitch) { return note->pitch == pitch && note->start == note->end; }

    NoteEvent* noteTail = nullptr;
    ControlEvent* controlTail = nullptr;
    std::deque<NoteEvent*> openNotes[128];  // per pitch, in list order
    bool stale = true;
};

template <typename Close>
void TrackAppendIndex::CloseOpenNotes(int pitch, int start, Close close)
{
    std::deque<NoteEvent*>& open = openNotes[pitch];
    size_t count = 0;
    while (count < open.size() && open[count]->start < start)
        ++count;
    // A note the step leaves open stays listed.
    std::deque<NoteEvent*> kept;
    for (size_t i = 0; i < count; ++i) {
        if (!IsOpen(open[i], pitch))
            continue;
        close(open[i]);
        if (IsOpen(open[i], pitch))
            kept.push_back(open[i]);
    }
    open.erase(open.begin(), open.begin() + static_cast<std::ptrdiff_t>(count));
    open.insert(open.begin(), kept.begin(), kept.end());
}
