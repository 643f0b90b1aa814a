// One ringtone export of the composer.
#include "composer/ringtone_export.h"

#include "audio/midi_audio.h"
#include "composer/export_name.h"
#include "kernel/file_api.h"
#include "kernel/path_map.h"
#include "kernel/prompt_service.h"
#include "services/composer_globals.h"
#include "services/cursor/wait_cursor.h"
#include "services/documents_folder.h"
#include "services/file_exists.h"
#include "services/language_text.h"
#include "services/log_writer.h"
#include "services/path_parts.h"
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

void ReportFailure(const CString& strOutputPath)
{
    WriteLog("Export failed - ", strOutputPath);
    CString text;
    text.Format("The ringtone was not written:\n%s", DisplayPath(strOutputPath.GetString()).c_str());
    MessageBox(nullptr, text, GetLanguageText("error"), MB_OK | MB_ICONERROR);
}

}  // namespace

bool IsRingtoneExportRunning() { return g_bExportRunning; }

int SongTicksToSeconds(const CScore& song, int ticks)
{
    const int64_t perMinute = static_cast<int64_t>(song.tempo) * song.division;
    return perMinute > 0 ? static_cast<int>(static_cast<int64_t>(ticks) * 60 / perMinute) : 0;
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
    const int seconds = SongTicksToSeconds(song, *request.pRangeEnd - *request.pRangeStart);

    MidiExportContext context = GetMidiExportContext();
    context.pProgressDialog = request.pProgressDialog;
    context.bMainDialog = GetMainDialog() != nullptr;
    context.bFadeIn = request.bFadeIn;
    context.bFadeOut = request.bFadeOut;
    context.nFadeValue = request.nFadeTime;
    SetMidiExportContext(context);

    const CString strMidiPath = GetDocumentsFolder() + "tmpwave.mid";
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
    // A short ringtone gets two more quarter notes, so that its last notes can ring out.
    if (seconds < 10)
        *request.pRangeEnd += 2 * song.division;
    // The song writer reports its own failure; the audio step reports its own and leaves no partial file.
    if (song.SaveMidiFile(strMidiPath))
        result.bWritten = ExportMidiAudio(strMidiPath, result.strOutputPath, g_nLastSaveAsKind) != 0;
    if (FileExists(strMidiPath))
        DeleteFile(strMidiPath);
    if (!result.bWritten) {
        if (claimed)
            DeleteFile(result.strOutputPath);
        ReportFailure(result.strOutputPath);
    }
    return result;
}
