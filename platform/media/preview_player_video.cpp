// The preview player's picture: its size and its place in the video window.
#include "media/preview_player_impl.h"

HRESULT PreviewPlayer::GetVideoSize(long* width, long* height)
{
    if (width == nullptr || height == nullptr)
        return E_POINTER;
    if (impl_->playbin == nullptr)
        return E_UNEXPECTED;
    if (!impl_->hasVideo)
        return E_NOINTERFACE;
    GstPad* pad = nullptr;
    g_signal_emit_by_name(impl_->playbin, "get-video-pad", 0, &pad);
    GstCaps* caps = pad ? gst_pad_get_current_caps(pad) : nullptr;
    gint w = 0, h = 0;
    const bool known = caps != nullptr && gst_structure_get_int(gst_caps_get_structure(caps, 0), "width", &w) &&
                       gst_structure_get_int(gst_caps_get_structure(caps, 0), "height", &h);
    if (caps != nullptr)
        gst_caps_unref(caps);
    if (pad != nullptr)
        gst_object_unref(pad);
    if (!known)
        return E_FAIL;
    *width = w;
    *height = h;
    return S_OK;
}

HRESULT PreviewPlayer::SetWindowPosition(long, long, long width, long height)
{
    if (impl_->playbin == nullptr)
        return E_UNEXPECTED;
    if (impl_->pictureSize == nullptr)
        return E_NOINTERFACE;
    if (width <= 0 || height <= 0)
        return E_INVALIDARG;
    // The window's own sink centres the picture, which is where the rectangle is put.
    GstCaps* caps =
        gst_caps_new_simple("video/x-raw", "width", G_TYPE_INT, static_cast<gint>(width), "height", G_TYPE_INT,
                            static_cast<gint>(height), "pixel-aspect-ratio", GST_TYPE_FRACTION, 1, 1, nullptr);
    g_object_set(impl_->pictureSize, "caps", caps, nullptr);
    gst_caps_unref(caps);
    return S_OK;
}
