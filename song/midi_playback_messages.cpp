// MIDI messages of playback: short messages, channel resets, program changes, all notes off.
#include "song/midi_device.h"
#include "song/score.h"

void CScore::SendShortMessage(uint8_t status, uint8_t data1, uint8_t data2) { SendMidiBytes(status, data1, data2); }

void CScore::SendChannelReset(BOOL resetControllers)
{
    for (uint8_t channel = 0; channel < 16; ++channel) {
        SendShortMessage(0xB0 | channel, 123, 0);
        if (resetControllers)
            SendShortMessage(0xB0 | channel, 121, 0);
    }
}

int CScore::SendProgramChangesUpTo(int track, int tick)
{
    ScoreLock lock(this);
    int program = 0;
    if (track < 0 || track >= kMaxTracks || tracks[track] == nullptr)
        return 0;
    for (ControlEvent* event = tracks[track]->controls; event != nullptr; event = event->next) {
        if ((event->status & 0xF0) != 0xC0)
            continue;
        if (event->tick > tick)
            break;
        SendShortMessage(0xC0 | event->channel, event->data1, 0);
        program = event->data1;
    }
    return program;
}

void CScore::AllNotesOff()
{
    ScoreLock lock(this);
    // Every slot, not only the song tracks: a track count lowered while notes sounded leaves none behind.
    for (int i = 0; i < kMaxTracks; ++i) {
        NoteEvent* node = soundingNotes[i];
        soundingNotes[i] = nullptr;
        while (node != nullptr) {
            NoteEvent* next = node->next;
            SendShortMessage(0x80 | node->channel, node->pitch, node->velocity);
            delete node;
            node = next;
        }
    }
    SendChannelReset(1);
}
