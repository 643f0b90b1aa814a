// The window hooks at start: no posts, no pump; programs install the window layer's, tools and tests their own.
#include "audio/audio_window.h"

AudioWindowHooks DefaultAudioWindowHooks() { return AudioWindowHooks(); }
