// Opening ALSA's default playback device without the library's complaints where there is none.
#include "media/alsa_default_playback.h"

namespace {

void Quiet(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

int OpenDefaultPlayback(snd_pcm_t** pcm)
{
    snd_lib_error_set_handler(Quiet);
    const int result = snd_pcm_open(pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    snd_lib_error_set_handler(nullptr);
    return result;
}

bool AlsaDefaultPlaybackOpens()
{
    snd_pcm_t* pcm = nullptr;
    if (OpenDefaultPlayback(&pcm) < 0)
        return false;
    snd_pcm_close(pcm);
    return true;
}
