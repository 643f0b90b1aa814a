// Where the playback engine's position posts go, and the cursor bookkeeping that keeps it safe under edits.
#pragma once

#include "kernel/windef.h"

class CScore;
class CWnd;

// Posts one message to a window without waiting (the window layer's PostMessage); called from the
// timer and worker threads, never touching the window itself.
typedef void (*PlaybackPostFunction)(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam);

// Installed once by the program at start; until then position posts are dropped.
void SetPlaybackPostFunction(PlaybackPostFunction post);

// Posts lParam to the song's notify target (nothing while the target window is null).
void PostPlaybackPosition(const CScore& song, LPARAM lParam);
