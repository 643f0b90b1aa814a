// ffmpeg options of each ringtone export type.
#include "audio/midi_audio.h"

CString GetExportOptions(int nType)
{
    switch (nType) {
    case EXPORT_TYPE_M4R:
        // A bit rate, not "-aq": the native AAC encoder reads "-aq 60" as a quality far above a ringtone's.
        return " -vn -acodec aac -b:a 128k -f mp4 ";
    case EXPORT_TYPE_MP3: return " -vn -acodec mp3 -f mp3 ";
    case EXPORT_TYPE_AMR: return " -vn -acodec amr_nb -ac 1 -ar 8000 -f amr ";
    case EXPORT_TYPE_AWB: return " -vn -acodec amr_wb -ac 1 -aq 60 -ar 16000 -f amr ";
    default: return "";
    }
}
