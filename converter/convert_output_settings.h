// The output settings of one format as a conversion uses them, read from common.ini [formatN].
#pragma once

struct ConvertOutputSettings {
    int sampleRate = 48000;  // Hz
    int bitRate = 320;       // kbit/s
    int channels = 1;        // 2 stereo, 1 mono
};

// Section Format("format%d", format): "sample" and "bitrate" index the rate tables (an index outside a table is
// clamped into it, so the list's tenth label "4kHz" gives the lowest rate, 8000 Hz); "channel" 1 is stereo.
ConvertOutputSettings ReadConvertOutputSettings(int format);
