// Rewinding playback: tempo, controller state and the per-track cursors at the start position.
#include "song/midi_playback_cursors.h"
#include "song/score.h"

namespace {

int SongTrackCount(const CScore& song) { return song.trackCount - 1 < kMaxTracks ? song.trackCount - 1 : kMaxTracks; }

}  // namespace

void CScore::RewindPlayback(int mode)
{
    ScoreLock lock(this);
    AllNotesOff();
    if (mode == 1)
        SendChannelReset(1);
    if (mode == 2)
        SendChannelReset(0);

    const int previous = playTick;
    tempoCursor = tempoList;
    if (tempoCursor != nullptr)
        tempo = tempoCursor->bpm;
    while (tempoCursor != nullptr && tempoCursor->tick <= previous) {
        tempo = tempoCursor->bpm;
        tempoCursor = tempoCursor->next;
    }

    for (int i = 0; i < kMaxTracks; ++i) {
        noteCursors[i] = nullptr;
        controlCursors[i] = nullptr;
    }
    const bool loopRange = playMode == 2 && loopPlay;
    playTick = loopRange ? (loopStart < loopEnd ? loopStart : loopEnd) : 0;

    const int songTracks = SongTrackCount(*this);
    for (int i = 0; i < songTracks; ++i) {
        if (tracks[i] == nullptr)
            continue;
        ControlEvent* event = tracks[i]->controls;
        for (; event != nullptr && event->tick <= playTick; event = event->next) {
            if (mode == 1 || mode == 2)
                SendShortMessage((event->status & 0xF0) | event->channel, event->data1, event->data2);
        }
        controlCursors[i] = event;

        NoteEvent* note = tracks[i]->notes;
        while (note != nullptr && !((note->start <= playTick && playTick < note->end) || playTick <= note->start))
            note = note->next;
        noteCursors[i] = note;
    }
    NoteRewind(*this, playTick, previous);
}
