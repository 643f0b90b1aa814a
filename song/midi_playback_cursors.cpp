// Playback cursors that survive edits: each tick finds its cursors again from the list heads.
#include "song/midi_playback_cursors.h"

#include <map>
#include <mutex>

#include "song/score.h"

namespace {

// First tick not yet done, per list kind, for each song that has played.
struct DueTicks {
    int note = 0;
    int control = 0;
    int tempo = 0;
};

std::mutex g_mutex;
std::map<const CScore*, DueTicks> g_due;

DueTicks& DueOf(const CScore& song) { return g_due[&song]; }

int TickOf(const NoteEvent* note) { return note->start; }
int TickOf(const ControlEvent* control) { return control->tick; }
int TickOf(const TempoChange* tempo) { return tempo->tick; }

// The cursor itself when it is still in the list before the first node due, else that node.
template <typename Node>
Node* Revise(Node* head, Node* cursor, int firstDue)
{
    for (Node* node = head; node != nullptr; node = node->next) {
        if (node == cursor || TickOf(node) >= firstDue)
            return node;
    }
    return nullptr;
}

}  // namespace

void NoteRewind(const CScore& song, int position, int previousPosition)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    DueOf(song) = {position, position + 1, previousPosition + 1};
}

void ReviseCursors(CScore& song, int tick)
{
    DueTicks due;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        due = DueOf(song);
        DueOf(song) = {tick + 1, tick + 1, tick + 1};
    }
    song.tempoCursor = Revise(song.tempoList, song.tempoCursor, due.tempo);
    for (int i = 0; i < kMaxTracks; ++i) {
        CTrack* track = song.tracks[i];
        song.noteCursors[i] = track ? Revise(track->notes, song.noteCursors[i], due.note) : nullptr;
        song.controlCursors[i] = track ? Revise(track->controls, song.controlCursors[i], due.control) : nullptr;
    }
}
