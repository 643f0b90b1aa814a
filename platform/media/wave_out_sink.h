// What carries one open wave output stream: ALSA's playback device, the silent device or the recorder.
#pragma once

#include <cstddef>
#include <memory>

#include "media/wave_out.h"

// Used from the stream's worker thread only.
class WaveOutSink {
public:
    virtual ~WaveOutSink() = default;
    // Plays whole frames, waiting while the device has no room.
    virtual void Write(const BYTE* data, size_t frames) = 0;
    // Frames written and not yet heard.
    virtual size_t Pending() = 0;
    virtual void Pause(bool paused) = 0;
    // Forgets what was written and not yet heard.
    virtual void Drop() = 0;
};

// Null when ALSA's default playback device does not open with the format.
std::unique_ptr<WaveOutSink> OpenAlsaWaveSink(const WAVEFORMATEX& format);
// Hears nothing, taking the audio at its real-time pace.
std::unique_ptr<WaveOutSink> OpenNullWaveSink(const WAVEFORMATEX& format);
// Keeps every byte for waveOutRecordedBytes, at once.
std::unique_ptr<WaveOutSink> OpenRecordingWaveSink(const WAVEFORMATEX& format);
