// The preview player's GStreamer pipeline: a playbin with its audio and video sinks and its bus handler.
#include <gst/video/videooverlay.h>

#include <mutex>

#include "media/alsa_default_playback.h"
#include "media/preview_player_impl.h"

namespace {

bool GStreamerReady()
{
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = gst_init_check(nullptr, nullptr, nullptr); });
    return ready;
}

// Runs on streaming threads; the bus keeps nothing, as nobody polls it.
GstBusSyncReply OnBusMessage(GstBus*, GstMessage* message, gpointer data)
{
    auto* impl = static_cast<PreviewPlayer::Impl*>(data);
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS)
        impl->RaiseEvent(EC_COMPLETE, S_OK, 0);
    else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR)
        impl->RaiseEvent(EC_ERRORABORT, E_FAIL, 0);
    return GST_BUS_DROP;
}

// Without a sound device the sound is discarded at its real-time pace, so the clock still runs.
GstElement* MakeAudioSink()
{
    if (AlsaDefaultPlaybackOpens())
        return gst_element_factory_make("autoaudiosink", nullptr);
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    if (sink != nullptr)
        g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

// Pictures scaled (aspect kept, borders added) to the caps filter's size and drawn into the window.
GstElement* MakeWindowVideoSink(NativeWindowId window, GstElement** pictureSize)
{
    GstElement* bin = gst_bin_new(nullptr);
    GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
    GstElement* scale = gst_element_factory_make("videoscale", nullptr);
    GstElement* size = gst_element_factory_make("capsfilter", nullptr);
    GstElement* sink = gst_element_factory_make("ximagesink", nullptr);
    if (convert == nullptr || scale == nullptr || size == nullptr || sink == nullptr) {
        for (GstElement* e : {convert, scale, size, sink})
            if (e != nullptr)
                gst_object_unref(e);
        gst_object_unref(bin);
        return nullptr;
    }
    gst_bin_add_many(GST_BIN(bin), convert, scale, size, sink, nullptr);
    gst_element_link_many(convert, scale, size, sink, nullptr);
    GstPad* pad = gst_element_get_static_pad(convert, "sink");
    gst_element_add_pad(bin, gst_ghost_pad_new("sink", pad));
    gst_object_unref(pad);
    gst_video_overlay_set_window_handle(GST_VIDEO_OVERLAY(sink), window);
    *pictureSize = size;
    return bin;
}

GstElement* MakeHiddenVideoSink()
{
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    if (sink != nullptr)
        g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

}  // namespace

GstElement* BuildPreviewPipeline(PreviewPlayer::Impl& impl, const char* path, NativeWindowId videoWindow)
{
    if (!GStreamerReady())
        return nullptr;
    gchar* uri = gst_filename_to_uri(path, nullptr);
    GstElement* playbin = uri ? gst_element_factory_make("playbin", nullptr) : nullptr;
    GstElement* audio = playbin ? MakeAudioSink() : nullptr;
    GstElement* pictureSize = nullptr;
    GstElement* video = nullptr;
    if (audio != nullptr)
        video = videoWindow ? MakeWindowVideoSink(videoWindow, &pictureSize) : MakeHiddenVideoSink();
    if (video == nullptr) {
        if (audio != nullptr)
            gst_object_unref(audio);
        if (playbin != nullptr)
            gst_object_unref(playbin);
        g_free(uri);
        return nullptr;
    }
    g_object_set(playbin, "uri", uri, "audio-sink", audio, "video-sink", video, nullptr);
    g_free(uri);
    GstBus* bus = gst_element_get_bus(playbin);
    gst_bus_set_sync_handler(bus, OnBusMessage, &impl, nullptr);
    gst_object_unref(bus);
    impl.pictureSize = pictureSize;
    return playbin;
}

void ReleasePreviewPipeline(PreviewPlayer::Impl& impl)
{
    if (impl.playbin == nullptr)
        return;
    gst_element_set_state(impl.playbin, GST_STATE_NULL);
    GstBus* bus = gst_element_get_bus(impl.playbin);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(impl.playbin);
    impl.playbin = nullptr;
    impl.pictureSize = nullptr;
}
