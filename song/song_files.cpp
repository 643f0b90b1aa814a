// The table of song file types and the open and save dispatch over it.
#include "song/song_files.h"

#include <cctype>
#include <cstring>

#include "song/score.h"
#include "song/smaf_file.h"

namespace {

int LoadMidi(CScore& song, const char* path) { return song.LoadMidiFile(path); }

int SaveMidi(CScore& song, const char* path) { return song.SaveMidiFile(path); }

int LoadScore(CScore& song, const char* path) { return song.LoadScoreFile(path); }

int SaveScore(CScore& song, const char* path) { return song.SaveScoreFile(path); }

// The open command starts every SMAF file from the default contents info; anything but 0 fails the open.
int LoadSmaf(CScore& song, const char* path)
{
    ResetContentsInfo(GetSharedContentsInfo());
    CSmafFile file(GetSharedContentsInfo());
    file.SetScore(&song);
    return file.Load(path) == 0 ? 1 : 0;
}

int SaveSmaf(CScore& song, const char* path)
{
    CSmafFile file(GetSharedContentsInfo());
    file.SetScore(&song);
    return file.Save(path) ? 1 : 0;
}

const SongFileFormat kFormats[] = {
    {SONG_KIND_MID, "mid", LoadMidi, SaveMidi},   {SONG_KIND_MMF, "mmf", LoadSmaf, SaveSmaf},
    {SONG_KIND_SMS, "sms", LoadScore, SaveScore}, {SONG_KIND_JPG, "jpg", nullptr, nullptr},
    {SONG_KIND_M4R, "m4r", nullptr, nullptr},     {SONG_KIND_MP3, "mp3", nullptr, nullptr},
    {SONG_KIND_AMR, "amr", nullptr, nullptr},     {SONG_KIND_AWB, "awb", nullptr, nullptr},
};

IAudioExportHandOver* g_audioExportHandOver = nullptr;

}  // namespace

int SongFileKindOf(const char* path)
{
    size_t length = path ? strlen(path) : 0;
    if (length < 3)
        return SONG_KIND_NONE;
    char last[4] = {};
    for (int i = 0; i < 3; ++i)
        last[i] = static_cast<char>(tolower(static_cast<unsigned char>(path[length - 3 + i])));
    for (const SongFileFormat& format : kFormats) {
        if (strcmp(format.extension, last) == 0)
            return format.kind;
    }
    return SONG_KIND_NONE;
}

const SongFileFormat* FindSongFileFormat(int kind)
{
    for (const SongFileFormat& format : kFormats) {
        if (format.kind == kind)
            return &format;
    }
    return nullptr;
}

int OpenSongFile(CScore& song, const char* path)
{
    ScoreLock lock(&song);
    song.Reset();
    song.fileName = path;
    song.NewSong(1, 4, 2);
    song.spMidiFlag = 0;
    for (int i = 0; i < kMaxTracks; ++i)
        song.tracks[i]->trackNumber = 0;

    int kind = SongFileKindOf(path);
    const SongFileFormat* format = FindSongFileFormat(kind);
    if (!format || !format->load || kind == SONG_KIND_JPG) {
        song.modified = 0;
        return -1;
    }
    if (!format->load(song, path)) {
        song.NewSong(1, 4, 2);
        song.playTick = 0;
        song.modified = 0;
        return 0;
    }

    bool native = kind == SONG_KIND_SMS;
    song.RebuildMeasureTable(!native);
    song.UpdateInstrumentNames(!native);
    if (!song.tempoList)
        song.SetTempoAt(false, 100, 0);
    song.playTick = 0;

    int number = 0;
    for (int i = 0; i <= song.trackCount - 2 && i < kMaxTracks; ++i) {
        CTrack* track = song.tracks[i];
        if (!song.spMidiFlag)
            track->trackNumber = 0;
        bool hasNotes = track->notes != nullptr;
        track->SetShown(hasNotes);
        track->SetAudible(true);
        if (!song.spMidiFlag && hasNotes)
            track->trackNumber = ++number;
    }
    song.modified = 0;
    return 1;
}

int SaveSongFile(CScore& song, const char* path)
{
    const SongFileFormat* format = FindSongFileFormat(SongFileKindOf(path));
    if (!format || !format->save)
        return 0;
    return format->save(song, path);
}

void SetAudioExportHandOver(IAudioExportHandOver* handOver) { g_audioExportHandOver = handOver; }

IAudioExportHandOver* GetAudioExportHandOver() { return g_audioExportHandOver; }
