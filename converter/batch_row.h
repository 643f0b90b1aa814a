// One row of a batch conversion: the optional fade step through a wave file, the ffmpeg run into the export
// folder and the finishing of a SMAF output.
#pragma once

#include "kernel/cstring.h"

class CFfmpegProcess;

struct BatchRowJob {
    CString source;         // the media file
    int trim = 1;           // 0: the clip is the whole file (its duration is unknown), no -ss and -t
    double start = 0;       // clip start, seconds
    double length = 0;      // clip length, seconds
    double fadeLength = 0;  // seconds
    int fadeIn = 0;
    int fadeOut = 0;
    int format = 0;  // 0-5, see convert_formats.h
    int sampleRate = 48000;
    int bitRate = 320;
    int channels = 1;
    CString output;      // the output file; written under a temporary name beside it, then renamed
    CString tempFolder;  // ends in a backslash; this run's private folder of the preview waves and the fade wave
    int removeTemp = 1;  // delete the fade step's wave afterwards
};

// The fade step's wave file, one name for all rows; the temporary folder is this program's own, so two
// converters at once never share it.
CString GetFadeWavePath(const CString& tempFolder);

// The preview wave of a media file: its title, a mark of its whole path (media files of one title in other
// folders or with other extensions have their own) and "_tempmp3wave.wav".
CString GetPreviewWavePath(const CString& tempFolder, const CString& mediaPath);

// Converts the row with the runner (whose notification the caller has set) into job.output. The media's
// preview wave is the source when it exists. 1 when the output was written (and, for SMAF, finished) and
// renamed into place; 0 when a step failed or *cancel was set before the row ended: then an older file of the
// output's name is left as it was, no partial file remains, and *error tells why.
int ConvertBatchRow(CFfmpegProcess& runner, const BatchRowJob& job, const int* cancel, CString* error);
