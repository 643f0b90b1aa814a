// Texts of the ringtone's marked range.
#include "composer/export_range.h"

#include "audio/ringtone_size.h"

CString FormatRangeTime(int nSeconds) { return FormatHoursMinutesSeconds(nSeconds); }

int EstimateRingtoneKilobytes(int nSeconds, int nSample, int nBitrate, int nChannel)
{
    // The indices come from the settings file: outside the table the estimate is 0.
    return static_cast<int>(nSeconds * RingtoneKilobytesPer30s(nSample, nBitrate) / 30.0 / (nChannel ? 1 : 2));
}
