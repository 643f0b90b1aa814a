// Finishing a rendered float wave file: peak normalisation, a click-free end and 16-bit samples, in place.
#pragma once

#include <cstdint>
#include <cstdio>

#include "kernel/windef.h"

// The file holds `samples` interleaved 32-bit floats at `dataOffset` (1.0 = full scale) whose largest
// magnitude is `peak`. Rewrites them in place as 16-bit samples whose loudest stands at -1 dBFS (a silent
// file is not amplified), fades the last 10 ms out, and cuts the file after them. False on a file error.
bool FinishRenderedWave(FILE* file, long dataOffset, uint64_t samples, int channels, DWORD rate, double peak);
