// Window operations on the window layer: posts and show commands to the owner window, the thread's message pump.
#include "audio/window_layer/audio_window_layer.h"
#include "ui/winuser.h"
#include "ui/wnd.h"

namespace {

void PostToWindow(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ::PostMessage(wnd->GetSafeHwnd(), message, wParam, lParam);
}

void ShowOwnerWindow(CWnd* wnd, int nCmdShow) { ::ShowWindow(wnd->GetSafeHwnd(), nCmdShow); }

void PumpThreadMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

}  // namespace

AudioWindowHooks AudioWindowLayerHooks()
{
    AudioWindowHooks hooks;
    hooks.post = PostToWindow;
    hooks.show = ShowOwnerWindow;
    hooks.pump = PumpThreadMessages;
    return hooks;
}
