// Internal: the built-in General MIDI software synthesizer (FluidSynth with the SoundFont found by FindSoundFont).
#pragma once

#include "media/midi_out_device.h"
#include "media/mmsystem.h"

MidiPortInfo SoftwareSynthInfo();

// Opens the synthesizer on the default audio output, or without sound when no audio device
// can be opened; fails (MMSYSERR_NODRIVER) only when no SoundFont can be loaded.
MMRESULT OpenSoftwareSynth(std::unique_ptr<MidiOutDevice>& device);
