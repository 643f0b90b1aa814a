// The composer's one MIDI output device: the device numbers in kestrin.ini, opening, closing and sending.
#pragma once

#include <cstdint>
#include <vector>

#include "kernel/cstring.h"

#include "kernel/windef.h"
#include "media/mmsystem.h"

class CWnd;

// kestrin.ini [device] "in" and "out": one character each, the device number plus the code of "0".
void ReadMidiDeviceSettings(int8_t& in, int8_t& out);
void WriteMidiDeviceSettings(int8_t in, int8_t out);

// Closes the output handle, opens output device `out` (sign-extended, no callback) and gives
// midiOutOpen's result; the handle stays unusable when the open fails.
MMRESULT OpenMidiOutHandle(int8_t out);

// Closes, reopens on `out` and stores both numbers; a busy or absent device is told by a message box.
void OpenMidiOut(CWnd* owner, int8_t in, int8_t out);
void OpenMidiFromSettings(CWnd* owner);
MMRESULT CloseMidiDevices();

// Product names of the output devices, index = device number: the rows of the device dialog's list.
std::vector<CString> MidiOutDeviceNames();

// Status in the lowest byte, then data 1 and data 2; the result is ignored.
void SendMidiBytes(uint8_t status, uint8_t data1, uint8_t data2);
// Program change, then note-on, on one channel; the note is left sounding.
void PlayPreviewNote(int channel, int program, int note, int velocity);
