// The audio export of a MIDI file: render to a temporary wave, fade, encode with ffmpeg, clean up.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "audio/audio_window.h"
#include "audio/ffmpeg_process.h"
#include "audio/midi_audio.h"
#include "audio/unique_file.h"
#include "kernel/file_api.h"
#include "kernel/path_map.h"
#include "media/render_midi.h"
#include "services/log_writer.h"
#include "services/private_temp.h"

namespace {

MidiExportContext g_context;
bool g_bExportInProgress = false;

struct ExportGuard {
    ExportGuard() { g_bExportInProgress = true; }
    ~ExportGuard() { g_bExportInProgress = false; }
};

void ShowExportError(const CString& strPath, const char* pszCause)
{
    CString strMessage;
    strMessage.Format("Can't export %s\n%s", DisplayPath(strPath.GetString()).c_str(), pszCause);
    WriteLog(strMessage);
    AudioMessageBox(strMessage);
}

// True when ffmpeg's reading of the file finds an audio stream in it.
bool HasAudioStream(const CString& strPath)
{
    CFfmpegProcess probe;
    probe.m_strInputName = strPath;
    probe.DisableMessagePump();
    probe.Probe();
    return !probe.m_strAudioInfo.IsEmpty();
}

// Encodes the wave into a file of its own beside the output, which replaces the output only when it
// is complete: a failed run leaves no broken file and keeps an older good one.
int EncodeWave(const CString& strWavePath, const CString& strOutputPath, int nType)
{
    int slash = strOutputPath.ReverseFind('\\');
    CString strFolder = strOutputPath.Left(slash + 1);
    CString strName = strOutputPath.Mid(slash + 1);
    int dot = strName.ReverseFind('.');
    // The extension stays last: without options ffmpeg chooses the format by it.
    CString strExtension = dot > 0 ? strName.Mid(dot) : CString();
    CString strStem = (dot > 0 ? strName.Left(dot) : strName) + ".part";
    CString strPartPath = CreateUniqueFile(strFolder, strStem, strExtension);
    if (strPartPath.IsEmpty()) {
        ShowExportError(strOutputPath, std::strerror(errno));
        return 0;
    }

    CWnd* pProgress = g_context.pProgressDialog;
    if (pProgress) {
        AudioShowWindow(pProgress, SW_SHOWNORMAL);
        AudioPostMessage(pProgress, 0, 0, 100);
    }
    CFfmpegProcess process;
    if (pProgress)
        process.SetNotify(pProgress, 0, 1);
    int ran = process.Run(strWavePath, GetExportOptions(nType), strPartPath);
    if (pProgress) {
        AudioPostMessage(pProgress, 0, 1, 100);
        AudioShowWindow(pProgress, SW_HIDE);
    }

    CString strCause;
    if (ran != 0 || !process.m_bSuccess)
        strCause = process.m_strError.IsEmpty() ? CString("ffmpeg failed.") : process.m_strError;
    else if (!HasAudioStream(strPartPath))
        strCause = "The encoded file holds no audio.";
    else if (rename(MapPathLiteral(static_cast<const char*>(strPartPath)).c_str(),
                    MapPathLiteral(static_cast<const char*>(strOutputPath)).c_str()) != 0)
        strCause = std::strerror(errno);
    if (strCause.IsEmpty())
        return 1;
    DeleteFile(strPartPath);
    ShowExportError(strOutputPath, strCause);
    return 0;
}

}  // namespace

void SetMidiExportContext(const MidiExportContext& context) { g_context = context; }

const MidiExportContext& GetMidiExportContext() { return g_context; }

int RenderMidiFile(CString strMidiPath, CString strWavePath, RenderedSound* pSound)
{
    MidiRenderStreamFree(g_hMidiStream);
    // Float samples keep the loudest passages unclipped until the level is set.
    g_hMidiStream = MidiRenderStreamCreateFile(MapPathLiteral(static_cast<const char*>(strMidiPath)).c_str(),
                                               MIDI_RENDER_SAMPLE_FLOAT);
    if (!g_hMidiStream) {
        AudioMessageBox("Can't run BASS_MIDI_StreamCreateFile!");
        return 0;
    }
    DWORD font = 0;
    if (MidiRenderStreamGetFont(g_hMidiStream, &font))
        g_hDefaultFont = font;
    return RenderMidiToWave(strWavePath, pSound);
}

int ExportMidiAudio(CString strMidiPath, CString strOutputPath, int nType)
{
    // Commands arrive through the message pump while an export runs; a second one must not nest.
    if (g_bExportInProgress || CFfmpegProcess::IsRunning()) {
        WriteLog("Export refused: another export is in progress");
        return 0;
    }
    ExportGuard guard;

    // Each run renders into a wave of its own, so that two exports at once never share one.
    CString strWavePath = CreateUniqueFile(GetPrivateTempFolder(), "tmpmid2wave", ".wav");
    if (strWavePath.IsEmpty()) {
        CString strMessage;
        strMessage.Format("Can't create wave (mid2wav) file!\n%s", std::strerror(errno));
        AudioMessageBox(strMessage);
        return 0;
    }
    RenderedSound sound;
    int result = RenderMidiFile(strMidiPath, strWavePath, &sound);
    // An empty, note-less or unreadable song has nothing to export.
    if (result && !sound.HasSound()) {
        ShowExportError(strOutputPath, "The song has no sound.");
        result = 0;
    }
    if (result) {
        if (g_context.nFadeValue != 0 && g_context.bMainDialog)
            FadeWave(strWavePath, g_context.bFadeIn, g_context.bFadeOut, g_context.nFadeValue);
        result = EncodeWave(strWavePath, strOutputPath, nType);
    }
    DeleteFile(strWavePath);
    return result;
}
