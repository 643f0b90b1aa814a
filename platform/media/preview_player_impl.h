// Internal: the GStreamer pipeline behind the preview player and the events it has raised.
#pragma once

#include <gst/gst.h>

#include <deque>
#include <mutex>
#include <string>

#include "media/preview_player.h"

struct PreviewEvent {
    long code;
    LONG_PTR param1;
    LONG_PTR param2;
};

struct PreviewPlayer::Impl {
    GstElement* playbin = nullptr;      // null while closed
    GstElement* pictureSize = nullptr;  // the caps filter that scales the picture (null without a video window)
    bool hasVideo = false;
    long volume = 0;
    double rate = 1.0;

    // Shared with GStreamer's streaming threads, which raise the events.
    std::mutex mutex;
    std::deque<PreviewEvent> events;
    HWND notifyWindow = nullptr;
    UINT notifyMessage = 0;
    LONG_PTR notifyInstance = 0;

    void RaiseEvent(long code, LONG_PTR param1, LONG_PTR param2);
    // Waits for a state change or flushing seek under way to finish; false when it failed or hung.
    bool Settle();
    // A flushing, exact seek to a position in nanoseconds at the current rate.
    bool SeekTo(gint64 nanoseconds);
};

// Builds a playbin for path with its sinks and the bus handler; null when GStreamer or a needed element is
// missing.
GstElement* BuildPreviewPipeline(PreviewPlayer::Impl& impl, const char* path, NativeWindowId videoWindow);
// Ends the pipeline (its streaming threads joined) and releases it.
void ReleasePreviewPipeline(PreviewPlayer::Impl& impl);
