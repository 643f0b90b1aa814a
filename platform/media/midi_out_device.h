// Internal: one opened MIDI output device, whatever carries it (software synthesizer, ALSA port, recorder).
#pragma once

#include <memory>
#include <string>

#include "kernel/windef.h"

class MidiOutDevice {
public:
    virtual ~MidiOutDevice() = default;
    // A complete channel or system message of one to three bytes.
    virtual void Send(const BYTE* bytes, int length) = 0;
};

// A device as listed by the midiOut and midiIn device queries.
struct MidiPortInfo {
    std::string name;
    WORD technology = 0;
    WORD voices = 0;
    WORD notes = 0;
    std::string key;  // identifies the device among open handles (one open handle per device)
    int alsaClient = -1;
    int alsaPort = -1;
};
