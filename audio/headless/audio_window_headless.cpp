// Window operations of a build without the window layer: no posts, no pump (tools and tests install their own).
#include "audio/audio_window.h"

AudioWindowHooks DefaultAudioWindowHooks() { return AudioWindowHooks(); }
