// The kestrin program: the media, playback and audio window hooks, and the application object.
#include "audio/window_layer/audio_window_layer.h"
#include "composer/composer_app.h"
#include "media/media_window_post.h"
#include "scoreview/window_playback_posts.h"
#include "services/deliverable.h"

static CComposerApp theApp;

int main(int argc, char** argv)
{
    SetDeliverable(DELIVERABLE_COMPOSER);
    SetMediaPostFunction(&PostMessage);
    UseWindowPlaybackPosts();
    SetAudioWindowHooks(AudioWindowLayerHooks());
    return AfxWinMain(argc, argv);
}
