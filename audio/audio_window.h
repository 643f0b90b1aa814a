// How the audio back end reaches windows: posts to an owner, showing the progress dialog, the message pump and message
// boxes.
#pragma once

#include "kernel/cstring.h"
#include "kernel/message_box_styles.h"
#include "kernel/windef.h"

class CWnd;

#ifndef SW_HIDE
#define SW_HIDE 0
#endif
#ifndef SW_SHOW
#define SW_SHOW 5
#endif
#ifndef SW_SHOWNORMAL
#define SW_SHOWNORMAL 1
#endif

// The window operations the audio code needs: none at start; the programs install the window layer's
// (AudioWindowLayerHooks), tools and tests their own. A null member does nothing.
struct AudioWindowHooks {
    void (*post)(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam) = nullptr;
    void (*show)(CWnd* wnd, int nCmdShow) = nullptr;
    void (*pump)() = nullptr;
};

// The hooks in force at start.
AudioWindowHooks DefaultAudioWindowHooks();
void SetAudioWindowHooks(const AudioWindowHooks& hooks);
const AudioWindowHooks& GetAudioWindowHooks();

void AudioPostMessage(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam);
void AudioShowWindow(CWnd* wnd, int nCmdShow);
// Message box with the given caption (null: the program's default caption).
void AudioMessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
// Open-file dialog for a wave file; empty when cancelled.
CString PromptForWaveFile();

// Dispatches every waiting message of the calling thread (hWnd null: all of its windows).
void PumpMessages(HWND hWnd);
