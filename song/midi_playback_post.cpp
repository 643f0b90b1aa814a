// Where the playback engine's position posts go.
#include <atomic>

#include "song/midi_playback.h"
#include "song/score.h"

namespace {

std::atomic<PlaybackPostFunction> g_post{nullptr};

}  // namespace

void SetPlaybackPostFunction(PlaybackPostFunction post) { g_post.store(post); }

void PostPlaybackPosition(const CScore& song, LPARAM lParam)
{
    PlaybackPostFunction post = g_post.load();
    if (post != nullptr && song.notifyWindow != nullptr)
        post(song.notifyWindow, song.notifyMessage, song.notifyWParam, lParam);
}
