// Save and Save As: the writer chosen by the file name's type, audio types handed to the export.
#include "kernel/prompt_service.h"
#include "services/composer_globals.h"
#include "song/score.h"
#include "song/song_files.h"

int CScore::Save()
{
    if (fileName.IsEmpty()) {
        // A song type that was not written leaves the song unnamed: nothing was saved.
        int chosen = SaveAs();
        return chosen <= SONG_KIND_SMS && fileName.IsEmpty() ? SONG_KIND_NONE : chosen;
    }
    int kind = SongFileKindOf(fileName);
    if (kind > SONG_KIND_JPG)
        return SONG_KIND_NONE;
    // A failed write has told the user why; the caller learns that nothing was saved.
    if (!SaveSongFile(*this, fileName) && kind != SONG_KIND_JPG)
        return SONG_KIND_NONE;
    MarkSaved(kind);
    return kind;
}

void CScore::MarkSaved(int kind)
{
    // A .mid file that holds the whole song leaves nothing to ask about at Open, New or Close. The MIDI writer
    // leaves the flag alone: the export writes through it too, and a marked part of the song is written alone.
    const bool whole = playMode != 2 || (loopStart <= 0 && loopEnd >= UpdateScoreLength());
    if (kind == SONG_KIND_MID && whole)
        modified = 0;
}

int CScore::SaveAs()
{
    FilePromptRequest request;
    request.open = false;
    request.defaultExtension = "mid";
    request.filter = "Tonwick(*.m4r)|*.m4r|SMAF Files (*.mmf)|*.mmf|MP3 File(*.mp3)|*.mp3|Midi Files (*.mid)|*.mid||";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    std::optional<std::string> chosen = PromptForFile(request);
    if (!chosen)
        return SONG_KIND_NONE;

    CString path(*chosen);
    int kind = SongFileKindOf(path);
    if (kind == SONG_KIND_MID || kind == SONG_KIND_MMF || kind == SONG_KIND_SMS) {
        // Only a path that now holds the song becomes its file name.
        if (SaveSongFile(*this, path)) {
            fileName = path;
            MarkSaved(kind);
        }
    } else if (IsAudioKind(kind)) {
        g_strExportTarget = path;
    }
    g_nLastSaveAsKind = kind;
    if (IsAudioKind(kind) && GetAudioExportHandOver())
        GetAudioExportHandOver()->OnAudioExportChosen(*this, kind, path);
    return kind;
}
