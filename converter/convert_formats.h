// The six output formats of a conversion: file extensions and ffmpeg option lines.
#pragma once

#include "kernel/cstring.h"

// 0 .mp3, 1 .wav, 2 .mmf, 3 .amr, 4 .awb, 5 .m4r.
constexpr int kOutputFormatCount = 6;

// The extension with its dot; "" for an index outside the table.
const char* GetOutputExtension(int format);
// " -ss %d": the clip start truncated to whole seconds.
CString FormatStartOption(double start);
// " -t %d ": the clip length rounded half away from zero; a clip too short for that keeps its exact length.
CString FormatLengthOption(double length);
// The options after the input: the trim options (start, then length), then the format's codec, channel count,
// sample rate and bit rate (kbit/s) where the format takes them; "" for an index outside the table.
CString FormatConvertOptions(int format, const CString& startOption, const CString& lengthOption, int channels,
                             int sampleRate, int bitRate);
