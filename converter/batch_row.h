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
    CString exportFolder;  // ends in a backslash
    CString tempFolder;    // ends in a backslash; this run's private folder of the preview waves and the fade wave
    int removeTemp = 1;    // delete the fade step's wave afterwards
};

// The fade step's wave file, one name for all rows; the temporary folder is this program's own, so two
// converters at once never share it.
CString GetFadeWavePath(const CString& tempFolder);

// Converts the row with the runner (whose notification the caller has set). The output is the export folder +
// the media title + the format's extension, written into outputPath before the run. A preview wave of the media
// (temporary folder + title + "_tempmp3wave.wav") is the source when it exists. 1 when the output was written
// (and, for SMAF, finished); 0 when a step failed or *cancel was set before the row ended.
int ConvertBatchRow(CFfmpegProcess& runner, const BatchRowJob& job, const int* cancel, CString* outputPath);
