// The preview player: one media file played with its video in a given native window, positions in
// 100 ns units, volume in hundredths of a decibel, and completion posted as an event to a window.
#pragma once

#include <cstdint>
#include <memory>

#include "kernel/windef.h"

#ifndef S_OK
#define S_OK ((HRESULT)0)
#endif
#ifndef E_FAIL
#define E_FAIL ((HRESULT)0x80004005L)
#endif
#ifndef E_INVALIDARG
#define E_INVALIDARG ((HRESULT)0x80070057L)
#endif
#ifndef E_POINTER
#define E_POINTER ((HRESULT)0x80004003L)
#endif
#ifndef E_ABORT
#define E_ABORT ((HRESULT)0x80004004L)
#endif
#ifndef E_UNEXPECTED
#define E_UNEXPECTED ((HRESULT)0x8000FFFFL)
#endif
#ifndef E_NOINTERFACE
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#endif
#define HRESULT_FILE_NOT_FOUND ((HRESULT)0x80070002L)
#define VFW_E_UNSUPPORTED_STREAM ((HRESULT)0x80040265L)

// Events taken with GetEvent.
#define EC_COMPLETE 0x01    // the end of the stream was played
#define EC_ERRORABORT 0x03  // playback stopped on an error; param1 is the result code

// The X11 window id of a window (0: none).
typedef uintptr_t NativeWindowId;

class PreviewPlayer {
public:
    PreviewPlayer();
    ~PreviewPlayer();
    PreviewPlayer(const PreviewPlayer&) = delete;
    PreviewPlayer& operator=(const PreviewPlayer&) = delete;

    // Opens path and leaves it stopped at its start, its first picture shown in videoWindow (close the player
    // before that window is destroyed: its pictures are drawn from threads of their own). Without a
    // window, or for a file without pictures, the video is not shown. Fails with HRESULT_FILE_NOT_FOUND for
    // a missing file and VFW_E_UNSUPPORTED_STREAM for one that cannot be played; the player is closed then.
    HRESULT Open(const char* path, NativeWindowId videoWindow);
    void Close();
    bool IsOpen() const;
    // The open file has pictures (false for audio-only files).
    bool HasVideo() const;

    // Operations on a closed player answer E_UNEXPECTED.
    HRESULT Run();
    HRESULT Pause();
    // Stops where the stream is; the position stays until it is set.
    HRESULT Stop();

    HRESULT GetCurrentPosition(LONGLONG* position);  // 100 ns units
    HRESULT GetDuration(LONGLONG* duration);
    // Returns once the picture and sound at the new position are ready.
    HRESULT SetCurrentPosition(LONGLONG position);

    // 0 full, -10000 silent.
    HRESULT GetVolume(long* volume);
    HRESULT PutVolume(long volume);
    // Above 0; 1.0 after Open.
    HRESULT GetRate(double* rate);
    HRESULT PutRate(double rate);

    // The picture's size (E_NOINTERFACE without video).
    HRESULT GetVideoSize(long* width, long* height);
    // Scales the picture, its aspect kept, to fit width x height, centred in the video window.
    HRESULT SetWindowPosition(long left, long top, long width, long height);
    // Moves the picture into another native window (a full-screen one and back); E_NOINTERFACE when no
    // picture is shown.
    HRESULT SetVideoWindow(NativeWindowId videoWindow);
    // Shows the next picture of a paused clip, its sound held; E_NOINTERFACE without video.
    HRESULT StepFrame();

    // Each event posts message (wParam 0, lParam instance) to window through the media post function;
    // a null window posts nothing. Events wait for GetEvent either way.
    HRESULT SetNotifyWindow(HWND window, UINT message, LONG_PTR instance);
    // The oldest waiting event; E_ABORT when none waits.
    HRESULT GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2);

    // The pipeline behind the player, internal to the media layer.
    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};
