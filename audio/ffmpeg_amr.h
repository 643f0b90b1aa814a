// AMR output when the installed ffmpeg has no AMR encoder: ffmpeg writes raw PCM and we encode it.
#pragma once

#include "kernel/cstring.h"
#include "media/amr_encoder.h"

struct FfmpegAmrPlan {
    bool active = false;
    AmrKind kind = AMR_NARROW_BAND;
    CString strRawPath;  // where ffmpeg writes the PCM samples
};

// True when `program -encoders` lists the encoder.
bool FfmpegHasEncoder(const CString& strProgram, const char* encoder);

// When strOptions ask for amr_nb or amr_wb and the program lacks that encoder, switches the options to
// raw 16-bit PCM (same rate and channels) and fills the plan with a unique raw file in strFolder.
void PlanAmrFallback(const CString& strProgram, const CString& strFolder, CString& strOptions, FfmpegAmrPlan* plan);

// Encodes the plan's raw file into strOutput and removes the raw file; false when encoding fails.
bool FinishAmrFallback(const FfmpegAmrPlan& plan, const CString& strOutput);
