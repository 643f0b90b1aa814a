// Internal: the recording output device behind midiOutUseRecordingDevice.
#pragma once

#include "media/midi_out_device.h"

bool RecordingDeviceIsOn();
MidiPortInfo RecordingDeviceInfo();
std::unique_ptr<MidiOutDevice> OpenRecordingDevice();
