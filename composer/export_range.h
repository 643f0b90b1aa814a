// Texts of the ringtone's marked range: its times and the estimated size of the exported file.
#pragma once

#include "kernel/cstring.h"

// "hh:mm:ss" of a number of whole seconds.
CString FormatRangeTime(int nSeconds);
// Kilobytes of a ringtone of that many seconds at the export settings' sample-rate and bit-rate indices,
// half as much for mono (channel 0). 0 where the combination has no estimate or an index is out of range.
int EstimateRingtoneKilobytes(int nSeconds, int nSample, int nBitrate, int nChannel);
