// The output formats' extensions and ffmpeg options. AMR-NB is mono at 8000 Hz, AMR-WB mono at 16000 Hz and the
// SMAF ADPCM mono, whatever the settings.
#include "converter/convert_formats.h"

#include "services/rounding.h"

static const char* const kExtensions[kOutputFormatCount] = {".mp3", ".wav", ".mmf", ".amr", ".awb", ".m4r"};

const char* GetOutputExtension(int format)
{
    return format >= 0 && format < kOutputFormatCount ? kExtensions[format] : "";
}

CString FormatStartOption(double start)
{
    CString option;
    option.Format(" -ss %d", static_cast<int>(start));
    return option;
}

CString FormatLengthOption(double length)
{
    CString option;
    // A clip shorter than half a second would round to nothing.
    if (RoundHalfAway(length) == 0 && length > 0)
        option.Format(" -t %.3f ", length);
    else
        option.Format(" -t %d ", RoundHalfAway(length));
    return option;
}

CString FormatConvertOptions(int format, const CString& startOption, const CString& lengthOption, int channels,
                             int sampleRate, int bitRate)
{
    const char* start = startOption;
    const char* length = lengthOption;
    CString options;
    // ffmpeg reads a bare -ab number as bits per second; the bit rate is in kilobits.
    switch (format) {
    case 0:
        options.Format(" -vn %s %s -acodec mp3 -ac %d -ar %d -ab %dk -f mp3 ", start, length, channels, sampleRate,
                       bitRate);
        break;
    case 1:
        options.Format(" -vn %s %s -ac %d -ar %d -ab %dk -f wav ", start, length, channels, sampleRate, bitRate);
        break;
    case 2: options.Format(" -vn %s %s -acodec adpcm_yamaha -ac 1 -ar %d -f mmf ", start, length, sampleRate); break;
    case 3: options.Format(" -vn %s %s -acodec amr_nb -ac 1 -ar 8000 -f amr ", start, length); break;
    case 4: options.Format(" -vn %s %s -acodec amr_wb -ac 1 -ar 16000 -f amr ", start, length); break;
    case 5:
        options.Format(" -vn %s %s -acodec aac -ac %d -ar %d -aq 60 -f mp4 ", start, length, channels, sampleRate);
        break;
    default: break;
    }
    return options;
}
