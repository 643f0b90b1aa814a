// WaveView: the wave output device, playing the marked range with its edge volume, and following the play.
#include "audio/window_layer/wave_view.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr UINT_PTR kPositionTimer = 0;
constexpr UINT kPositionPeriod = 100;

}  // namespace

BEGIN_MESSAGE_MAP(WaveView, CWnd)
ON_MESSAGE(MM_WOM_DONE, OnWaveDone)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_SETCURSOR()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

WaveView::WaveView() = default;

WaveView::~WaveView()
{
    // The device reads the wave's buffer and reports to this window: both go with the view.
    CloseDevice();
    if (m_pOldBitmap)
        m_memDC.SelectObject(m_pOldBitmap);
    m_bitmap.DeleteObject();
    m_memDC.DeleteDC();
    if (m_hWnd)
        DestroyWindow();
}

void WaveView::CreateNotifyWindow()
{
    if (m_hWnd)
        return;
    CreateEx(0, AfxRegisterWndClass(0), "Wave Wnd", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
}

int WaveView::OpenDevice(const PCMWAVEFORMAT& format)
{
    CreateNotifyWindow();
    // The frame size from channels and bits: created waves keep a block align of 1 in their format block.
    const WORD frame = static_cast<WORD>(format.wf.nChannels * format.wBitsPerSample / 8);
    const WAVEFORMATEX wfx{format.wf.wFormatTag,
                           format.wf.nChannels,
                           format.wf.nSamplesPerSec,
                           format.wf.nAvgBytesPerSec,
                           frame,
                           format.wBitsPerSample,
                           0};
    if (m_hWaveOut)
        return waveOutOpen(nullptr, WAVE_MAPPER, &wfx, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
    return waveOutOpen(&m_hWaveOut, WAVE_MAPPER, &wfx, reinterpret_cast<DWORD_PTR>(m_hWnd), 0, CALLBACK_WINDOW) ==
           MMSYSERR_NOERROR;
}

void WaveView::CloseDevice()
{
    if (!m_hWaveOut)
        return;
    waveOutReset(m_hWaveOut);
    // The reset's completion arrives after the handle is gone: take the header back here.
    FreeHeader();
    if (m_bPlaying)
        FinishPlay();
    waveOutClose(m_hWaveOut);
    m_hWaveOut = nullptr;
    m_nQueued = 0;
}

void WaveView::FreeHeader()
{
    if (!m_pHeader)
        return;
    waveOutUnprepareHeader(m_hWaveOut, m_pHeader, sizeof(WAVEHDR));
    delete m_pHeader;
    m_pHeader = nullptr;
    m_wave.SetPlaying(0);
}

int WaveView::LoadFile(const char* path)
{
    // The device plays from the old buffer, which the load replaces.
    Stop();
    m_nRangeStart = m_nRangeEnd = 0;
    int loaded = m_wave.Load(path);
    m_wave.SetStartFraction(0);
    m_nPosition = 0;
    if (m_hWnd)
        Invalidate(FALSE);
    return loaded;
}

int WaveView::SaveFile(const char* path) { return m_wave.Save(path); }

int WaveView::TotalMs() { return static_cast<int>(m_wave.GetTotalDuration() * 1000); }

// Rounded, so that a range start in whole milliseconds is met again after the byte rounding of the wave.
int WaveView::CurrentPositionMs()
{
    return static_cast<int>(std::lround((m_wave.GetTotalDuration() - m_wave.GetDuration()) * 1000));
}

int WaveView::Play()
{
    if (m_bPlaying) {
        if (!m_bPaused)
            return 0;
        waveOutRestart(m_hWaveOut);
        m_bPaused = false;
        m_dwPlayClock = timeGetTime();
        m_nPlayFrom = m_nPosition;
        SetTimer(kPositionTimer, kPositionPeriod, nullptr);
        return 1;
    }
    DWORD length = m_wave.GetPlayedLength();
    if (length == 0 || !OpenDevice(*m_wave.GetFormat()))
        return 0;
    m_dwPlayClock = timeGetTime();
    waveOutGetVolume(m_hWaveOut, &m_dwSavedVolume);
    m_nPosition = m_nPlayFrom = CurrentPositionMs();
    ApplyEdgeVolume();
    m_pHeader = new WAVEHDR{};
    m_pHeader->lpData = reinterpret_cast<LPSTR>(m_wave.GetData());
    m_pHeader->dwBufferLength = length;
    if (waveOutPrepareHeader(m_hWaveOut, m_pHeader, sizeof(WAVEHDR)) != MMSYSERR_NOERROR ||
        waveOutWrite(m_hWaveOut, m_pHeader, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        FreeHeader();
        waveOutSetVolume(m_hWaveOut, m_dwSavedVolume);
        CloseDevice();
        return 0;
    }
    m_wave.SetPlaying(1);
    m_nQueued++;
    SetTimer(kPositionTimer, kPositionPeriod, nullptr);
    m_bPlaying = TRUE;
    return 1;
}

void WaveView::Pause()
{
    if (!m_bPlaying || m_bPaused || !m_hWaveOut)
        return;
    waveOutPause(m_hWaveOut);
    // The marker stays where the sound stopped.
    KillTimer(kPositionTimer);
    m_bPaused = true;
}

void WaveView::Stop() { CloseDevice(); }

void WaveView::SetEdgeFade(int percent)
{
    m_nEdgeFade = std::clamp(percent, 0, 100);
    if (m_hWnd)
        Invalidate(FALSE);
}

void WaveView::ApplyEdgeVolume()
{
    if (!m_hWaveOut || m_nPosition < m_nRangeStart || m_nPosition > m_nRangeEnd)
        return;
    long long width = static_cast<long long>(m_nRangeEnd - m_nRangeStart) * m_nEdgeFade / 100;
    double volume = 65535;
    if (width > 0) {
        if (m_nPosition - m_nRangeStart < width)
            volume = volume * (m_nPosition - m_nRangeStart) / width;
        if (m_nRangeEnd - m_nPosition < width)
            volume = volume * (m_nRangeEnd - m_nPosition) / width;
    }
    waveOutSetVolume(m_hWaveOut, static_cast<DWORD>(volume) * 0x10001);
}

void WaveView::OnTimer(UINT_PTR id)
{
    if (id != kPositionTimer || !m_bPlaying) {
        CWnd::OnTimer(id);
        return;
    }
    CClientDC dc(this);
    DrawMarker(&dc, m_nPosition, kPositionColour);
    m_nPosition = m_nPlayFrom + static_cast<int>(timeGetTime() - m_dwPlayClock);
    DrawMarker(&dc, m_nPosition, kPositionColour);
    ApplyEdgeVolume();
}

LRESULT WaveView::OnWaveDone(WPARAM wParam, LPARAM lParam)
{
    // A completion of an earlier device, or of a buffer already taken back, is not this play's.
    if (!m_hWaveOut || reinterpret_cast<HWAVEOUT>(wParam) != m_hWaveOut ||
        reinterpret_cast<WAVEHDR*>(lParam) != m_pHeader)
        return 0;
    FreeHeader();
    FinishPlay();
    if (--m_nQueued <= 0) {
        waveOutClose(m_hWaveOut);
        m_hWaveOut = nullptr;
        m_nQueued = 0;
    }
    return 0;
}

void WaveView::FinishPlay()
{
    KillTimer(kPositionTimer);
    if (m_hWaveOut)
        waveOutSetVolume(m_hWaveOut, m_dwSavedVolume);
    m_bPlaying = FALSE;
    m_bPaused = false;
    m_nPosition = CurrentPositionMs();
    if (m_hWnd)
        Invalidate(FALSE);
}
