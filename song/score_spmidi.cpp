// Scalable Polyphony MIDI: track priorities from the MIP system-exclusive message.
#include "song/score.h"

void CScore::ApplySpMidiPriorities()
{
    for (const SysExEvent* e = sysExList; e; e = e->next) {
        const uint8_t* d = e->data;
        if (e->length < 4 || d[0] != 0x7F || d[1] != 0x7F || d[2] != 0x0B || d[3] != 0x01)
            continue;
        int pairs = (e->length - 5) / 2;
        for (int i = 0; i < pairs && 4 + 2 * i < e->length; ++i)
            SetChannelPriority(d[4 + 2 * i], i + 1);
        spMidiFlag = 1;
    }
}

void CScore::SetChannelPriority(int channel, int priority)
{
    for (CTrack* track : tracks) {
        if (track && track->IsShown() && track->channel == channel)
            track->priority = priority;
    }
}
