// Song file types chosen by the last three letters of a path: the readers and writers of
// Open, Save and Save As, and the hand-over of the audio types to the composer's export.
#pragma once

#include "kernel/cstring.h"

class CScore;

// Save As kinds, as the composer's export reads them.
enum SongFileKind {
    SONG_KIND_NONE = 0,
    SONG_KIND_MID = 1,
    SONG_KIND_MMF = 2,
    SONG_KIND_SMS = 3,
    SONG_KIND_JPG = 4,
    SONG_KIND_M4R = 5,
    SONG_KIND_MP3 = 6,
    SONG_KIND_AMR = 7,
    SONG_KIND_AWB = 8,
};

inline bool IsAudioKind(int kind) { return kind >= SONG_KIND_M4R && kind <= SONG_KIND_AWB; }

// A file type the song can be read from or written to; null functions: not handled by the song.
struct SongFileFormat {
    int kind;
    const char* extension;                        // lower case, without the dot
    int (*load)(CScore& song, const char* path);  // 1 on success
    int (*save)(CScore& song, const char* path);  // 1 on success
};

// Kind of a path from its last three letters, compared without regard to case.
int SongFileKindOf(const char* path);
// The format of a kind, or null.
const SongFileFormat* FindSongFileFormat(int kind);

// Reads a song file the way the composer's open command does: resets the song, reads the file
// by its type and prepares the song for display. 1 success, 0 the read failed, -1 not a song type.
int OpenSongFile(CScore& song, const char* path);

// Writes the song to path with the writer of the path's type; 1 written, 0 not.
int SaveSongFile(CScore& song, const char* path);

// Receives the song when Save As chose an audio type; the composer installs the export.
class IAudioExportHandOver {
public:
    virtual ~IAudioExportHandOver() = default;
    virtual void OnAudioExportChosen(CScore& song, int kind, const CString& path) = 0;
};
void SetAudioExportHandOver(IAudioExportHandOver* handOver);
IAudioExportHandOver* GetAudioExportHandOver();
