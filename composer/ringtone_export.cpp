// One ringtone export of the composer.
#include "composer/ringtone_export.h"

#include <cerrno>
#include <cstring>

#include "audio/audio_window.h"
#include "audio/midi_audio.h"
#include "audio/unique_file.h"
#include "composer/export_name.h"
#include "kernel/file_api.h"
#include "services/composer_globals.h"
#include "services/cursor/wait_cursor.h"
#include "services/log_writer.h"
#include "services/path_parts.h"
#include "services/private_temp.h"
#include "song/score.h"

namespace {

bool g_bExportRunning = false;

// The whole run, whatever way it ends.
class RunningExport {
public:
    RunningExport()
    {
        g_bExportRunning = true;
        ShowWaitCursor();
    }
    ~RunningExport()
    {
        RestoreCursor();
        g_bExportRunning = false;
    }
    RunningExport(const RunningExport&) = delete;
    RunningExport& operator=(const RunningExport&) = delete;
};

}  // namespace

bool IsRingtoneExportRunning() { return g_bExportRunning; }

int SongSecondsBetween(const CScore& song, int startTick, int endTick)
{
    return static_cast<int>(song.SecondsAtTick(endTick) - song.SecondsAtTick(startTick));
}

RingtoneExportResult RunRingtoneExport(const RingtoneExportRequest& request)
{
    RingtoneExportResult result;
    if (g_bExportRunning) {
        WriteLog("Export refused: an export is running");
        result.bRefused = true;
        return result;
    }
    CScore& song = *request.pSong;
    const int seconds = SongSecondsBetween(song, *request.pRangeStart, *request.pRangeEnd);

    MidiExportContext context = GetMidiExportContext();
    context.pProgressDialog = request.pProgressDialog;
    context.bMainDialog = GetMainDialog() != nullptr;
    context.bFadeIn = request.bFadeIn;
    context.bFadeOut = request.bFadeOut;
    context.nFadeValue = request.nFadeTime;
    SetMidiExportContext(context);

    result.strAutomaticName = ExportNameForSong(request.strExportFolder, request.strSongPath);
    // A new song's ringtone name is taken for this program before anything is written; a song that had to move
    // on to the next free number takes it too.
    bool claimed = false;
    if (request.strTargetPath.IsEmpty() && IsUnsavedDefaultSong(request.strExportFolder, request.strSongPath)) {
        const CString chosen = result.strAutomaticName;
        claimed = ClaimExportName(request.strExportFolder, request.strLastOutput, result.strAutomaticName);
        if (result.strAutomaticName != chosen && !request.strSongPath.IsEmpty())
            song.fileName = request.strExportFolder + GetPathTitle(result.strAutomaticName) + ".mid";
    }
    result.strOutputPath = result.strAutomaticName;
    if (!request.strTargetPath.IsEmpty())
        result.strOutputPath = request.strTargetPath;
    else
        g_nLastSaveAsKind = 5;

    RunningExport running;
    // Each run writes the song into a file of its own in the run's private folder: two exports, in this program
    // or another, never share it.
    const CString strTempFolder = GetPrivateTempFolder();
    const CString strMidiPath = strTempFolder.IsEmpty() ? CString() : CreateUniqueFile(strTempFolder, "export", ".mid");
    if (strMidiPath.IsEmpty()) {
        CString strMessage;
        strMessage.Format("Can't create the export's MIDI file!\n%s",
                          std::strerror(strTempFolder.IsEmpty() ? EACCES : errno));
        AudioMessageBox(strMessage);
    }
    // A short ringtone gets two more quarter notes, so that its last notes can ring out; only the file
    // written has them, the song's range stays as the user marked it.
    const int rangeEnd = *request.pRangeEnd;
    if (seconds < 10)
        *request.pRangeEnd += 2 * song.division;
    const bool midiWritten = !strMidiPath.IsEmpty() && song.SaveMidiFile(strMidiPath) != 0;
    *request.pRangeEnd = rangeEnd;
    // The song writer reports its own failure; the audio step reports its own and leaves no partial file.
    if (midiWritten)
        result.bWritten = ExportMidiAudio(strMidiPath, result.strOutputPath, g_nLastSaveAsKind) != 0;
    if (!strMidiPath.IsEmpty())
        DeleteFile(strMidiPath);
    // The step that failed has told the user why; one failure is one message.
    if (!result.bWritten) {
        if (claimed)
            DeleteFile(result.strOutputPath);
        WriteLog("Export failed - ", result.strOutputPath);
    }
    return result;
}
