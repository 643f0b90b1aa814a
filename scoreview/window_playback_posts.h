// The composer's choice of where playback positions go: the window layer's message queue.
#pragma once

// Installs the window layer's thread-safe CWnd::PostMessage as the playback engine's post function.
void UseWindowPlaybackPosts();
