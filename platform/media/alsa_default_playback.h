// Opening ALSA's default playback device without the library's complaints where there is none.
#pragma once

#include <alsa/asoundlib.h>

// As snd_pcm_open of "default" for playback, without blocking; the library's error report is held back
// (a machine without a sound card is an expected case, not an error).
int OpenDefaultPlayback(snd_pcm_t** pcm);

// Whether the default playback device opens.
bool AlsaDefaultPlaybackOpens();
