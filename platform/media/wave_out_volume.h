// The program's wave output volume and its application to PCM samples.
#pragma once

#include <cstddef>

#include "media/wave_out.h"

// Left channel in the low word, right in the high word; starts at full (0xFFFFFFFF).
DWORD WaveOutVolume();
void SetWaveOutVolume(DWORD volume);

// Scales whole frames of 8-bit (unsigned) or 16-bit samples in place; full volume leaves them as they are.
// Mono samples take the left volume.
void ApplyWaveOutVolume(BYTE* data, size_t bytes, const WAVEFORMATEX& format, DWORD volume);
