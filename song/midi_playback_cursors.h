// Playback cursors that survive edits: each tick finds its cursors again from the list heads.
#pragma once

class CScore;

// After a rewind to tick `position` from `previousPosition`: notes from `position` on are still due,
// controls and tempo changes up to the positions are done.
void NoteRewind(const CScore& song, int position, int previousPosition);

// Before the events due at a tick are sent: a cursor whose node an edit removed (or that a newly
// inserted earlier node now precedes) is replaced by the first node not yet done. Walks each list
// from its head, so a freed node is never read. Afterwards everything up to `tick` counts as done.
void ReviseCursors(CScore& song, int tick);
