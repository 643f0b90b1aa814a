// The preview player: one media clip at a time, shown in a child window of the converter's main dialog.
#pragma once

#include "kernel/cstring.h"
#include "ui/ui.h"

class CConverterDlg;
class PreviewPlayer;

// Player state: 0 stopped, 1 paused, 2 running, 3 no clip (at start and after a close).
extern int g_previewState;
// 1 when the open clip has no visible video, and after a close.
extern int g_previewAudioOnly;
extern int g_previewFullScreen;
// Hundredths of a decibel: 0 full, -10000 muted.
extern long g_previewVolume;
extern double g_previewRate;

// The player window's graph-event message.
constexpr UINT WM_GRAPHNOTIFY = WM_USER + 13;

// Creates the player window as a child of the owner over the given rectangle.
HWND PreviewCreateWindow(CConverterDlg* owner, int left, int top, int right, int bottom);
LRESULT CALLBACK PreviewWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Opens and starts a clip; FALSE (clip closed) on failure.
BOOL PreviewOpenFile(CString path);
HRESULT PreviewOpenAndRender(const char* path);
void PreviewPlay();
// Pauses a running clip, runs a paused or stopped one.
void PreviewPause();
void PreviewStop();
void PreviewCloseClip();
// Seconds from the clip's start; 0 without a clip.
double PreviewGetPosition();
// Seconds: where the clip is while it plays or pauses, else where it was when last stopped or closed (0 when none).
double PreviewGetMarkPosition();
void PreviewSetPosition(double seconds);
// level 0.0 (silent) to 1.0 (full).
void PreviewSetVolume(double level);
void PreviewToggleMute();
void PreviewToggleFullScreen();
void PreviewLeaveFullScreen();
// Fits the video into the frame window's client area, keeping its aspect ratio.
void PreviewPlaceVideo(CWnd* frame);
void PreviewUpdateTitle();
void PreviewModifyRate(double delta);
void PreviewSetRate(double rate);
void PreviewStepFrame();
// Takes every waiting graph event; the end of the stream closes the clip.
void PreviewHandleGraphEvents();

// Internal to the player's files: the pipeline, the windows, the owner and the open file's name.
PreviewPlayer& PreviewGraph();
extern HWND g_previewWindow;
extern HWND g_previewFullScreenWindow;  // the screen-sized window while full screen
extern CConverterDlg* g_previewOwner;
extern CString g_previewFileName;
// A result code that reports a failure.
inline bool PreviewFailed(HRESULT hr) { return hr < 0; }
// Shows a failure of the player in a message box (text cut to 1023 characters).
void PreviewMessage(const char* format, ...);
