// The preview player's picture moved between windows, and stepped one picture at a time.
#include <gst/video/videooverlay.h>

#include "media/preview_player_impl.h"

HRESULT PreviewPlayer::SetVideoWindow(NativeWindowId videoWindow)
{
    if (impl_->playbin == nullptr)
        return E_UNEXPECTED;
    if (impl_->pictureSize == nullptr || !impl_->hasVideo)
        return E_NOINTERFACE;
    if (videoWindow == 0)
        return E_INVALIDARG;
    GstElement* sink = gst_bin_get_by_interface(GST_BIN(impl_->playbin), GST_TYPE_VIDEO_OVERLAY);
    if (sink == nullptr)
        return E_NOINTERFACE;
    gst_video_overlay_set_window_handle(GST_VIDEO_OVERLAY(sink), videoWindow);
    gst_video_overlay_expose(GST_VIDEO_OVERLAY(sink));
    gst_object_unref(sink);
    return S_OK;
}

HRESULT PreviewPlayer::StepFrame()
{
    if (impl_->playbin == nullptr)
        return E_UNEXPECTED;
    if (!impl_->hasVideo)
        return E_NOINTERFACE;
    GstState state = GST_STATE_NULL;
    gst_element_get_state(impl_->playbin, &state, nullptr, 0);
    if (state != GST_STATE_PAUSED)
        return E_UNEXPECTED;
    GstEvent* step = gst_event_new_step(GST_FORMAT_BUFFERS, 1, impl_->rate, TRUE, FALSE);
    if (!gst_element_send_event(impl_->playbin, step))
        return E_FAIL;
    return impl_->Settle() ? S_OK : E_FAIL;
}
