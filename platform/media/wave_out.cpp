// Wave output devices: opening by format, queued buffers, pause, reset and volume, by handle.
#include "media/wave_out.h"

#include <map>
#include <mutex>

#include "media/media_window_post.h"
#include "media/wave_out_recording.h"
#include "media/wave_out_stream.h"
#include "media/wave_out_volume.h"

namespace {

struct OpenWaveOut {
    std::unique_ptr<WaveOutStream> stream;
    HWND window = nullptr;
};

// Guards the handle table; each stream guards its own queue.
std::mutex g_mutex;
std::map<HWAVEOUT, std::unique_ptr<OpenWaveOut>> g_outputs;

bool FormatPlays(const WAVEFORMATEX& f)
{
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= 1000 &&
           f.nSamplesPerSec <= 192000 && f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8;
}

std::unique_ptr<WaveOutSink> OpenSink(const WAVEFORMATEX& format)
{
    switch (waveOutDeviceInUse()) {
    case WaveOutDeviceKind::Recorder: return OpenRecordingWaveSink(format);
    case WaveOutDeviceKind::Silent: return OpenNullWaveSink(format);
    case WaveOutDeviceKind::Automatic: break;
    }
    std::unique_ptr<WaveOutSink> sink = OpenAlsaWaveSink(format);
    return sink ? std::move(sink) : OpenNullWaveSink(format);
}

// The stream of an open handle, or null (the table lock held by the caller).
WaveOutStream* StreamOf(HWAVEOUT hwo)
{
    auto it = g_outputs.find(hwo);
    return it == g_outputs.end() ? nullptr : it->second->stream.get();
}

MMRESULT WithHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh, MMRESULT (WaveOutStream::*call)(WAVEHDR*))
{
    if (pwh == nullptr || cbwh < sizeof(WAVEHDR))
        return MMSYSERR_INVALPARAM;
    std::lock_guard<std::mutex> lock(g_mutex);
    WaveOutStream* stream = StreamOf(hwo);
    if (stream == nullptr)
        return MMSYSERR_INVALHANDLE;
    return (stream->*call)(pwh);
}

MMRESULT WithStream(HWAVEOUT hwo, void (WaveOutStream::*call)())
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WaveOutStream* stream = StreamOf(hwo);
    if (stream == nullptr)
        return MMSYSERR_INVALHANDLE;
    (stream->*call)();
    return MMSYSERR_NOERROR;
}

// A handle or the device's id names the device whose volume is asked for.
bool NamesDevice(HWAVEOUT hwo)
{
    const UINT_PTR id = reinterpret_cast<UINT_PTR>(hwo);
    std::lock_guard<std::mutex> lock(g_mutex);
    // The mapper's id arrives widened with or without its sign.
    return id == 0 || id == static_cast<UINT_PTR>(WAVE_MAPPER) || id == static_cast<UINT_PTR>(-1) ||
           g_outputs.count(hwo) != 0;
}

}  // namespace

MMRESULT waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx, DWORD_PTR dwCallback, DWORD_PTR,
                     DWORD fdwOpen)
{
    const bool query = (fdwOpen & WAVE_FORMAT_QUERY) != 0;
    if (phwo != nullptr && !query)
        *phwo = nullptr;
    if (pwfx == nullptr || (phwo == nullptr && !query))
        return MMSYSERR_INVALPARAM;
    const DWORD callback = fdwOpen & CALLBACK_TYPEMASK;
    if (callback != CALLBACK_NULL && callback != CALLBACK_WINDOW)
        return MMSYSERR_INVALFLAG;
    if (uDeviceID != 0 && uDeviceID != WAVE_MAPPER)
        return MMSYSERR_BADDEVICEID;
    if (!FormatPlays(*pwfx))
        return WAVERR_BADFORMAT;
    if (query)
        return MMSYSERR_NOERROR;

    auto output = std::make_unique<OpenWaveOut>();
    HWAVEOUT handle = reinterpret_cast<HWAVEOUT>(output.get());
    if (callback == CALLBACK_WINDOW)
        output->window = reinterpret_cast<HWND>(dwCallback);
    output->stream = std::make_unique<WaveOutStream>(handle, *pwfx, OpenSink(*pwfx), output->window);
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_outputs[handle] = std::move(output);
    }
    *phwo = handle;
    if (callback == CALLBACK_WINDOW)
        PostMediaMessage(reinterpret_cast<HWND>(dwCallback), MM_WOM_OPEN, reinterpret_cast<WPARAM>(handle), 0);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT hwo)
{
    std::unique_ptr<OpenWaveOut> closing;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = g_outputs.find(hwo);
        if (it == g_outputs.end())
            return MMSYSERR_INVALHANDLE;
        if (it->second->stream->HasQueued())
            return WAVERR_STILLPLAYING;
        closing = std::move(it->second);
        g_outputs.erase(it);
    }
    const HWND window = closing->window;
    closing.reset();  // the worker has ended before the close is reported
    if (window != nullptr)
        PostMediaMessage(window, MM_WOM_CLOSE, reinterpret_cast<WPARAM>(hwo), 0);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    if (pwh != nullptr && pwh->lpData == nullptr)
        return MMSYSERR_INVALPARAM;
    return WithHeader(hwo, pwh, cbwh, &WaveOutStream::Prepare);
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    return WithHeader(hwo, pwh, cbwh, &WaveOutStream::Unprepare);
}

MMRESULT waveOutWrite(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    return WithHeader(hwo, pwh, cbwh, &WaveOutStream::Write);
}

MMRESULT waveOutPause(HWAVEOUT hwo) { return WithStream(hwo, &WaveOutStream::Pause); }

MMRESULT waveOutRestart(HWAVEOUT hwo) { return WithStream(hwo, &WaveOutStream::Restart); }

MMRESULT waveOutReset(HWAVEOUT hwo) { return WithStream(hwo, &WaveOutStream::Reset); }

MMRESULT waveOutGetVolume(HWAVEOUT hwo, LPDWORD pdwVolume)
{
    if (pdwVolume == nullptr)
        return MMSYSERR_INVALPARAM;
    if (!NamesDevice(hwo))
        return MMSYSERR_INVALHANDLE;
    *pdwVolume = WaveOutVolume();
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutSetVolume(HWAVEOUT hwo, DWORD dwVolume)
{
    if (!NamesDevice(hwo))
        return MMSYSERR_INVALHANDLE;
    SetWaveOutVolume(dwVolume);
    return MMSYSERR_NOERROR;
}
