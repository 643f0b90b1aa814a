// CNoteHeadIndex: a track's notes by snapped start, so that the painters find the note behind a chord's
// head without walking the track's list from its head for every head they paint.
#pragma once

#include <utility>
#include <vector>

#include "song/element_records.h"

class CNoteHeadIndex {
public:
    // Between Open and Close the song's notes stand still (one redraw), so what was learnt of a track's list
    // is kept; outside that every search walks the list.
    void Open();
    void Close();

    // The first note of the list with this pitch whose start, snapped to the grid, is tick; null when none.
    NoteEvent* Find(NoteEvent* notes, int division, double gridValue, int pitch, int tick);

private:
    void Start(NoteEvent* notes, int division, double gridValue);
    // Indexes the unread notes up to the first that snaps past tick, while the snapped starts do not fall.
    void Read(int division, double gridValue, int tick);
    // The first indexed note of the pitch at tick.
    NoteEvent* Lookup(int pitch, int tick) const;

    bool m_open = false;
    NoteEvent* m_notes = nullptr;  // the list indexed; null: none yet
    int m_division = 0;
    double m_gridValue = 0;
    bool m_ordered = false;         // the snapped starts read so far never fall: equal ones stand together
    NoteEvent* m_unread = nullptr;  // the first note not yet in m_heads
    int m_restOrdered = 0;          // from the last note read on, starts never fall: 1 yes, -1 no, 0 not known
    std::vector<std::pair<int, NoteEvent*>> m_heads;  // (snapped start, note) of the list's first notes
};
