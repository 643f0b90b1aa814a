// One ringtone export of the composer: the song written as a temporary MIDI file, rendered, faded and encoded.
#pragma once

#include "kernel/cstring.h"

class CScore;
class CWnd;

// What an export needs from the main window and the score view.
struct RingtoneExportRequest {
    CScore* pSong = nullptr;
    // The marked range in ticks, as the score view keeps it; the export leaves it as it was.
    int* pRangeStart = nullptr;
    int* pRangeEnd = nullptr;
    CString strExportFolder;  // ends with a backslash
    CString strSongPath;      // the song's file, empty for a song that has none
    // The path Save As chose for an audio type; empty for the Export button, which names the output itself.
    CString strTargetPath;
    // The ringtone this program last wrote of the song: exporting it again replaces it.
    CString strLastOutput;
    int nFadeTime = 0;  // percent of the song's duration
    BOOL bFadeIn = FALSE;
    BOOL bFadeOut = FALSE;
    CWnd* pProgressDialog = nullptr;
};

struct RingtoneExportResult {
    CString strAutomaticName;  // the name the export chose itself
    CString strOutputPath;     // the file the export wrote (or failed to write)
    bool bRefused = false;     // another export was running; nothing was done
    bool bWritten = false;
};

// Runs one export on the UI thread. A failure is logged and reported to the user and leaves no file behind.
RingtoneExportResult RunRingtoneExport(const RingtoneExportRequest& request);
// True while an export runs: the message pump delivers commands meanwhile, and those that would start
// another export or replace or close the song must wait for its end.
bool IsRingtoneExportRunning();
// Whole seconds from one tick of the song to another, through its tempo changes as the export plays them.
int SongSecondsBetween(const CScore& song, int startTick, int endTick);
