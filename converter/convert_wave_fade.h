// The fade step of a conversion: gain ramps written into a wave file's 16-bit sample values.
#pragma once

#include "kernel/cstring.h"

// Fades the wave file in place: the first and last fadeSeconds ramp from 0 to 0.75 of the sample (interleaved
// values over all channels). 1 when the file was loaded, changed and saved; 0 when it could not be loaded or
// saved.
int ApplyWaveFade(CString path, int fadeIn, int fadeOut, double fadeSeconds);
