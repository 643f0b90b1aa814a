// The audio export of a MIDI file: render to a temporary wave, fade, encode with ffmpeg, clean up.
#include "audio/audio_window.h"
#include "audio/ffmpeg_process.h"
#include "audio/midi_audio.h"
#include "kernel/file_api.h"
#include "kernel/path_map.h"
#include "media/render_midi.h"
#include "services/documents_folder.h"
#include "services/file_exists.h"
#include "services/log_writer.h"

namespace {

MidiExportContext g_context;
bool g_bExportInProgress = false;

struct ExportGuard {
    ExportGuard() { g_bExportInProgress = true; }
    ~ExportGuard() { g_bExportInProgress = false; }
};

}  // namespace

void SetMidiExportContext(const MidiExportContext& context) { g_context = context; }

const MidiExportContext& GetMidiExportContext() { return g_context; }

int RenderMidiFile(CString strMidiPath, CString strWavePath) {
    MidiRenderStreamFree(g_hMidiStream);
    g_hMidiStream = MidiRenderStreamCreateFile(MapPath(static_cast<const char*>(strMidiPath)).c_str());
    if (!g_hMidiStream) {
        AudioMessageBox("Can't run BASS_MIDI_StreamCreateFile!");
        return 0;
    }
    DWORD font = 0;
    if (MidiRenderStreamGetFont(g_hMidiStream, &font)) g_hDefaultFont = font;
    return RenderMidiToWave(strWavePath);
}

int ExportMidiAudio(CString strMidiPath, CString strOutputPath, int nType) {
    // Commands arrive through the message pump while an export runs; a second one must not nest.
    if (g_bExportInProgress || CFfmpegProcess::IsRunning()) {
        WriteLog("Export refused: another export is in progress");
        return 0;
    }
    ExportGuard guard;
    CWnd* pProgress = g_context.pProgressDialog;

    CString strWavePath = GetDocumentsFolder() + "tmpmid2wave.wav";
    if (FileExists(strWavePath)) DeleteFile(strWavePath);

    // A failed render leaves nothing worth encoding.
    if (!RenderMidiFile(strMidiPath, strWavePath)) {
        if (FileExists(strWavePath)) DeleteFile(strWavePath);
        return 0;
    }
    if (g_context.nFadeValue != 0 && g_context.bMainDialog)
        FadeWave(strWavePath, g_context.bFadeIn, g_context.bFadeOut, g_context.nFadeValue);

    CString strOptions = GetExportOptions(nType);
    if (pProgress) {
        AudioShowWindow(pProgress, SW_SHOWNORMAL);
        AudioPostMessage(pProgress, 0, 0, 100);
    }
    CFfmpegProcess process;
    if (pProgress) process.SetNotify(pProgress, 0, 1);
    int result = process.Run(strWavePath, strOptions, strOutputPath);
    if (pProgress) {
        AudioPostMessage(pProgress, 0, 1, 100);
        AudioShowWindow(pProgress, SW_HIDE);
    }
    if (FileExists(strWavePath)) DeleteFile(strWavePath);
    return result == 0 && process.m_bSuccess ? 1 : 0;
}
