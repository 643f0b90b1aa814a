// WaveView: a window that shows one wave under a time ruler, marks a range with the mouse and plays it on the
// wave output device with its volume shaped at the range's edges.
#pragma once

#include "audio/wave.h"
#include "media/wave_out.h"
#include "ui/ui.h"

class WaveView : public CWnd {
public:
    static constexpr COLORREF kPositionColour = RGB(0, 114, 54);

    WaveView();
    ~WaveView() override;
    WaveView(const WaveView&) = delete;
    WaveView& operator=(const WaveView&) = delete;

    // A hidden zero-size pop-up "Wave Wnd" for the device's completion messages, when the view has no window.
    void CreateNotifyWindow();
    // Opens the wave mapper with the format, reporting to the view's window; with a device already open only
    // asks whether it takes the format. 1 on success.
    int OpenDevice(const PCMWAVEFORMAT& format);
    // Resets and closes the device; a buffer still queued is taken back and the play ends.
    void CloseDevice();

    int LoadFile(const char* path);
    // The marked range when it is 100 ms or longer, else the whole wave.
    int SaveFile(const char* path);
    // Plays the marked range (or the rest of the wave) from its start; resumes a paused play. 1 when playing.
    int Play();
    void Pause();
    void Stop();
    void SetEdgeFade(int percent);

    CWave& GetWave() { return m_wave; }
    int GetRangeStart() const { return m_nRangeStart; }
    int GetRangeEnd() const { return m_nRangeEnd; }
    int GetPlayPosition() const { return m_nPosition; }
    BOOL IsPlaying() const { return m_bPlaying; }

protected:
    afx_msg LRESULT OnWaveDone(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnCaptureChanged(CWnd* wnd);
    DECLARE_MESSAGE_MAP()

private:
    // Layout of the client area: the ruler band above the waveform's box.
    void Layout();
    // Waveform and ruler into the offscreen bitmap, then onto dc with the edges and the play position.
    void Draw(CDC* dc);
    void DrawRuler(CDC* dc);
    void DrawWaveform(CDC* dc);
    // A vertical line over the waveform in the NOT-XOR mode: drawn twice, it is gone.
    void DrawMarker(CDC* dc, int ms, COLORREF colour);
    int TimeToX(int ms) const;
    int XToTime(int x) const;
    int TotalMs();
    // The time of the wave's current position.
    int CurrentPositionMs();
    // The end of an edge drag: the range becomes the wave's selection and the play position its start.
    void EndDrag();
    // Volume for the play position from the range and the edge-fade percentage, set on the open device.
    void ApplyEdgeVolume();
    // The play's end: header back, timer off, volume restored, the marker back at the wave's current position.
    void FinishPlay();
    void FreeHeader();

    CWave m_wave;
    CDC m_memDC;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    CRect m_rcClient;
    CRect m_rcRuler;
    CRect m_rcWave;
    HWAVEOUT m_hWaveOut = nullptr;
    int m_nQueued = 0;
    DWORD m_dwSavedVolume = 0xFFFFFFFF;
    int m_nRangeStart = 0;
    int m_nRangeEnd = 0;
    int m_nPosition = 0;
    int m_nDrag = 0;  // 0 none, 1 the start edge held, 2 the end edge held
    int m_nTop = 27;
    int m_nMargin = 10;
    int m_nEdgeFade = 0;
    BOOL m_bPlaying = FALSE;

    WAVEHDR* m_pHeader = nullptr;
    DWORD m_dwPlayClock = 0;  // timeGetTime when the play (or its resumption) began
    int m_nPlayFrom = 0;      // play position then
    bool m_bPaused = false;
};
