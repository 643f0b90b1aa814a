// The tonwick program: its resources, the media and audio window hooks, and the application object.
#include "audio/window_layer/audio_window_layer.h"
#include "converter/converter_app.h"
#include "kernel/resources.h"
#include "media/media_window_post.h"
#include "services/deliverable.h"

const EmbeddedResource* TonwickResources(size_t* count);

static CConverterApp theApp;

int main(int argc, char** argv)
{
    size_t count = 0;
    const EmbeddedResource* table = TonwickResources(&count);
    RegisterResourceTable(table, count);
    SetDeliverable(DELIVERABLE_CONVERTER);
    SetMediaPostFunction(&PostMessage);
    SetAudioWindowHooks(AudioWindowLayerHooks());
    return AfxWinMain(argc, argv);
}
