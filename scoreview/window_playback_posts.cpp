// Playback position posts through the window layer's message queue.
#include "scoreview/window_playback_posts.h"

#include "song/midi_playback.h"
#include "ui/wnd.h"

namespace {

void PostToWindow(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam)
{
    window->PostMessage(message, wParam, lParam);
}

}  // namespace

void UseWindowPlaybackPosts() { SetPlaybackPostFunction(PostToWindow); }
