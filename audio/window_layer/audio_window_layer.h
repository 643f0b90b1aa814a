// The audio back end's window operations on the window layer: posts and show commands to the owner, the message pump.
#pragma once

#include "audio/audio_window.h"

// Hooks for SetAudioWindowHooks that post to and show real windows and pump the thread's messages.
AudioWindowHooks AudioWindowLayerHooks();
