// ReadConvertOutputSettings: the sample-rate, bit-rate and channel keys of a format's section, checked.
#include "converter/convert_output_settings.h"

#include <algorithm>

#include "kernel/cstring.h"
#include "services/settings_ini.h"

static const int kSampleRates[] = {48000, 44100, 32000, 24000, 22050, 16000, 12000, 11025, 8000};
static const int kBitRates[] = {320, 256, 224, 192, 160, 128, 112, 96, 64, 56, 32, 16};

ConvertOutputSettings ReadConvertOutputSettings(int format)
{
    CString section;
    section.Format("format%d", format);
    CSettingsIni ini;
    const int sample = std::clamp(ini.GetInt(section, "sample"), 0, static_cast<int>(std::size(kSampleRates)) - 1);
    const int bitRate = std::clamp(ini.GetInt(section, "bitrate"), 0, static_cast<int>(std::size(kBitRates)) - 1);
    ConvertOutputSettings settings;
    settings.sampleRate = kSampleRates[sample];
    settings.bitRate = kBitRates[bitRate];
    settings.channels = ini.GetInt(section, "channel") ? 2 : 1;
    return settings;
}
