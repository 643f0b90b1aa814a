// Internal: MIDI ports of the ALSA sequencer: listing, output devices and input subscriptions.
#pragma once

#include <vector>

#include "media/midi_out_device.h"
#include "media/mmsystem.h"

// Writable (output) or readable (input) ports of other clients; empty without a sequencer.
std::vector<MidiPortInfo> AlsaMidiPorts(bool writable);

// Opens an output device sending straight to the port.
MMRESULT OpenAlsaOutPort(const MidiPortInfo& port, std::unique_ptr<MidiOutDevice>& device);

// An input port connected to one of our own while it lives.
class AlsaInputConnection {
public:
    virtual ~AlsaInputConnection() = default;
};
MMRESULT OpenAlsaInPort(const MidiPortInfo& port, std::unique_ptr<AlsaInputConnection>& connection);
