// Recording MIDI output device for tests: it keeps every short message with its time.
#pragma once

#include <vector>

#include "kernel/windef.h"

struct RecordedMidiMessage {
    double time;    // multimedia clock in milliseconds (fraction kept), see MmClockNow
    DWORD message;  // status in the low byte, then data 1 and data 2
};

// While on, the recorder is the only MIDI output device (device 0, "Kestrin Recorder").
void midiOutUseRecordingDevice(bool on);

// Messages sent to the recorder since the last clear, in order.
std::vector<RecordedMidiMessage> midiOutRecordedMessages();
void midiOutClearRecording();
