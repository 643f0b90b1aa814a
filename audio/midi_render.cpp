// MIDI-to-WAV rendering: the renderer's set-up and release, its error box and the render loop with its own WAV header.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "audio/audio_window.h"
#include "audio/midi_audio.h"
#include "audio/wave_finish.h"
#include "kernel/path_map.h"
#include "media/render_midi.h"
#include "services/app_folder.h"

DWORD g_hMidiStream = 0;
DWORD g_hDefaultFont = 0;

namespace {

void PutLE32(FILE* file, long offset, uint32_t value)
{
    unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                              static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    std::fseek(file, offset, SEEK_SET);
    std::fwrite(bytes, 1, 4, file);
}

// The renderer's error box, with the system's reason when a file operation failed.
void ShowFileError(const char* text, int err)
{
    std::string message = std::string(text) + "\n" + std::strerror(err);
    ShowBassError(message.c_str());
}

double Peak(const float* samples, size_t count, double peak)
{
    for (size_t i = 0; i < count; ++i)
        peak = std::max(peak, static_cast<double>(std::fabs(samples[i])));
    return peak;
}

}  // namespace

int InitBassMidi()
{
    if (!MidiRenderInit(44100)) {
        AudioMessageBox("Can't initialize device");
        return 0;
    }
    DWORD font = 0;
    if (MidiRenderStreamGetFont(0, &font))
        g_hDefaultFont = font;
    // The flac and wavpack plug-ins have nothing to add here: the renderer reads SoundFonts directly.
    CString strFont = GetAppFolder() + "chorium.sf2pack";
    DWORD hFont = MidiRenderFontInit(MapPath(static_cast<const char*>(strFont)).c_str());
    if (hFont && hFont != g_hDefaultFont) {
        MidiRenderStreamSetFont(0, hFont);
        if (g_hMidiStream)
            MidiRenderStreamSetFont(g_hMidiStream, hFont);
        MidiRenderFontFree(g_hDefaultFont);
        g_hDefaultFont = hFont;
    }
    return 1;
}

void FreeBass()
{
    MidiRenderFree();
    g_hMidiStream = 0;
    g_hDefaultFont = 0;
}

void ShowBassError(const char* pszText)
{
    char message[200];
    std::snprintf(message, sizeof message, "%s\n(error code: %d)", pszText, MidiRenderErrorGetCode());
    AudioMessageBox(message);
}

int RenderMidiToWave(CString strWavePath, RenderedSound* pSound)
{
    CWnd* pProgress = GetMidiExportContext().pProgressDialog;
    MidiRenderChannelInfo info = {};
    MidiRenderChannelGetInfo(g_hMidiStream, &info);
    // Read back too: float samples are turned into 16-bit ones in place at the end.
    FILE* file = std::fopen(MapPathLiteral(static_cast<const char*>(strWavePath)).c_str(), "w+b");
    if (!file) {
        ShowFileError("Can't create wave (mid2wav) file!", errno);
        return 0;
    }
    const bool isFloat = (info.flags & MIDI_RENDER_SAMPLE_FLOAT) != 0;
    WORD bits = (info.flags & MIDI_RENDER_SAMPLE_8BITS) ? 8 : 16;
    WORD channels = static_cast<WORD>(info.chans);
    WORD blockAlign = static_cast<WORD>(channels * bits / 8);
    DWORD byteRate = info.freq * blockAlign;
    unsigned char header[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0};
    unsigned char* fmt = header + 20;
    fmt[0] = 1;
    fmt[1] = 0;
    fmt[2] = static_cast<unsigned char>(channels);
    fmt[3] = static_cast<unsigned char>(channels >> 8);
    for (int i = 0; i < 4; ++i)
        fmt[4 + i] = static_cast<unsigned char>(info.freq >> (8 * i));
    for (int i = 0; i < 4; ++i)
        fmt[8 + i] = static_cast<unsigned char>(byteRate >> (8 * i));
    fmt[12] = static_cast<unsigned char>(blockAlign);
    fmt[13] = static_cast<unsigned char>(blockAlign >> 8);
    fmt[14] = static_cast<unsigned char>(bits);
    fmt[15] = 0;
    std::memcpy(header + 36, "data\0\0\0\0", 8);
    std::fwrite(header, 1, sizeof header, file);

    uint64_t total = MidiRenderChannelGetLength(g_hMidiStream);
    if (pProgress) {
        AudioShowWindow(pProgress, SW_SHOWNORMAL);
        AudioPostMessage(pProgress, 0, 0, 100);
    }
    int result = 1;
    alignas(float) char buffer[44100];
    uint64_t dataBytes = 0;
    double peak = 0;
    while (MidiRenderChannelIsActive(g_hMidiStream)) {
        DWORD got = MidiRenderChannelGetData(g_hMidiStream, buffer, sizeof buffer);
        if (got == DWORD(-1)) {
            ShowBassError("BASS_ChannelGetData");
            result = 0;
            break;
        }
        if (std::fwrite(buffer, 1, got, file) != got) {
            ShowFileError("Can't write wave (mid2wav) file!", errno);
            result = 0;
            break;
        }
        dataBytes += got;
        if (isFloat)
            peak = Peak(reinterpret_cast<const float*>(buffer), got / sizeof(float), peak);
        if (pProgress) {
            uint64_t position = MidiRenderChannelGetPosition(g_hMidiStream);
            AudioPostMessage(pProgress, 0, 1, total ? static_cast<LPARAM>(position * 100 / total) : 0);
        }
        PumpMessages(nullptr);
    }
    if (pProgress) {
        AudioPostMessage(pProgress, 0, 1, 100);
        AudioShowWindow(pProgress, SW_HIDE);
    }
    if (result && isFloat && channels &&
        !FinishRenderedWave(file, sizeof header, dataBytes / sizeof(float), channels, info.freq, peak)) {
        ShowFileError("Can't write wave (mid2wav) file!", errno);
        result = 0;
    }
    if (pSound) {
        pSound->frames = blockAlign ? dataBytes / (isFloat ? channels * sizeof(float) : blockAlign) : 0;
        pSound->peak = isFloat ? peak : 0;
    }
    std::fflush(file);
    std::fseek(file, 0, SEEK_END);
    long size = std::ftell(file);
    PutLE32(file, 4, static_cast<uint32_t>(size - 8));
    PutLE32(file, 40, static_cast<uint32_t>(size - 44));
    if (std::fflush(file) != 0)
        result = 0;
    std::fclose(file);
    return result;
}
