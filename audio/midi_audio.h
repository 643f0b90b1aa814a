// MIDI-to-WAV rendering and the audio export: renderer set-up, the render loop, fades and the ffmpeg step.
#pragma once

#include <cstdint>

#include "kernel/cstring.h"
#include "kernel/windef.h"

class CWnd;

// The current decoding stream (0 before the first export) and the SoundFont last made the default.
extern DWORD g_hMidiStream;
extern DWORD g_hDefaultFont;

// What the export reads from the composer: its progress dialog (may be null), whether the main dialog
// exists, its fade flags and the export fade value (a percentage of the song's duration).
struct MidiExportContext {
    CWnd* pProgressDialog = nullptr;
    bool bMainDialog = false;
    BOOL bFadeIn = FALSE;
    BOOL bFadeOut = FALSE;
    int nFadeValue = 0;
};
void SetMidiExportContext(const MidiExportContext& context);
const MidiExportContext& GetMidiExportContext();

// Export type codes of the composer.
enum {
    EXPORT_TYPE_M4R = 5,
    EXPORT_TYPE_MP3 = 6,
    EXPORT_TYPE_AMR = 7,
    EXPORT_TYPE_AWB = 8,
};
// ffmpeg options of an export type (empty for unknown types).
CString GetExportOptions(int nType);

// What a render produced: its length and its loudest sample before normalising (1.0 = full scale).
struct RenderedSound {
    uint64_t frames = 0;
    double peak = 0;
    // False for silence: an empty song, a song without notes, or one whose notes make no sound.
    bool HasSound() const;
};

int InitBassMidi();
void FreeBass();
void ShowBassError(const char* pszText);
// 1 when the whole stream was written to the wave file, 0 when the file could not be made or decoding failed.
// A float stream is written as 16-bit samples normalised to the export level, ending in a short fade.
int RenderMidiToWave(CString strWavePath, RenderedSound* pSound = nullptr);
// A new float decoding stream on the MIDI file, rendered into the wave file; 1 on success.
int RenderMidiFile(CString strMidiPath, CString strWavePath, RenderedSound* pSound = nullptr);
// 1 when the MIDI file was rendered and ffmpeg wrote the output, 0 otherwise.
int ExportMidiAudio(CString strMidiPath, CString strOutputPath, int nType);
int FadeWave(CString strWavePath, BOOL bFadeIn, BOOL bFadeOut, int nFadeValue);
