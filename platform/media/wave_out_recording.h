// Choice of the device behind wave output, for tests: the silent real-time device or the recorder.
#pragma once

#include <vector>

#include "kernel/windef.h"

enum class WaveOutDeviceKind {
    Automatic,  // ALSA's default playback device, else the silent device
    Silent,     // takes the audio at its real-time pace and plays nothing
    Recorder    // keeps the bytes (after the volume) and takes them at once
};

// Applies to devices opened afterwards.
void waveOutUseDevice(WaveOutDeviceKind kind);
WaveOutDeviceKind waveOutDeviceInUse();

// Bytes that reached the recorder since the last clear, in order.
std::vector<BYTE> waveOutRecordedBytes();
void waveOutClearRecording();
