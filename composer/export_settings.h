// The composer's export settings in common.ini: the export folder and the quality values of the format section.
#pragma once

#include "kernel/cstring.h"

// The format whose ini section ("format6") holds the export quality; nothing changes it.
extern const int g_nCurrentExportFormat;

struct ExportSettings {
    CString strFolder;  // ends with a backslash
    int nSample = 0;    // sample-rate index
    int nBitrate = 0;   // bit-rate index
    int nChannel = 0;   // 0 mono, any other value stereo
};

// Reads the settings; a missing folder becomes documents folder + "Tonwick\", which is created.
ExportSettings ReadExportSettings();
// The folder with a backslash appended when its last character is not one.
CString WithTrailingBackslash(const CString& strFolder);
// Stores a newly chosen export folder ([common] "desdir") and logs it; returns the folder as stored.
CString StoreExportFolder(const CString& strChosen);
