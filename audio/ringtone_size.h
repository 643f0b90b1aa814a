// Size estimate of an encoded ringtone and the hh:mm:ss text of a length, shared by both programs.
#pragma once

#include "kernel/cstring.h"

// Kilobytes of 30 seconds of stereo at the sample-rate index (48000 down to 8000 Hz) and bit-rate index (320 down
// to 16 kbit/s); 0 where the combination does not occur or an index lies outside the table.
int RingtoneKilobytesPer30s(int rateIndex, int bitRateIndex);

// "hh:mm:ss" of a whole number of seconds.
CString FormatHoursMinutesSeconds(int seconds);
