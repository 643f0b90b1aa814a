// The preview player: opening, closing and the run, pause and stop states.
#include "media/preview_player.h"

#include <unistd.h>

#include "media/preview_player_impl.h"

namespace {

// Long enough for a slow machine to open a file; a stream that never settles counts as unplayable.
constexpr GstClockTime kSettleTimeout = 20 * GST_SECOND;

HRESULT ChangeState(GstElement* playbin, GstState state)
{
    if (playbin == nullptr)
        return E_UNEXPECTED;
    return gst_element_set_state(playbin, state) == GST_STATE_CHANGE_FAILURE ? E_FAIL : S_OK;
}

}  // namespace

bool PreviewPlayer::Impl::Settle()
{
    const GstStateChangeReturn result = gst_element_get_state(playbin, nullptr, nullptr, kSettleTimeout);
    return result == GST_STATE_CHANGE_SUCCESS || result == GST_STATE_CHANGE_NO_PREROLL;
}

PreviewPlayer::PreviewPlayer() : impl_(std::make_unique<Impl>()) {}

PreviewPlayer::~PreviewPlayer() { Close(); }

HRESULT PreviewPlayer::Open(const char* path, NativeWindowId videoWindow)
{
    Close();
    if (path == nullptr)
        return E_POINTER;
    if (access(path, F_OK) != 0)
        return HRESULT_FILE_NOT_FOUND;
    impl_->playbin = BuildPreviewPipeline(*impl_, path, videoWindow);
    if (impl_->playbin == nullptr)
        return E_FAIL;
    // Opening goes as far as the first picture and sound, which tells a playable file from another.
    gint videoStreams = 0, audioStreams = 0;
    if (gst_element_set_state(impl_->playbin, GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE && impl_->Settle())
        g_object_get(impl_->playbin, "n-video", &videoStreams, "n-audio", &audioStreams, nullptr);
    if (videoStreams + audioStreams == 0) {
        Close();
        return VFW_E_UNSUPPORTED_STREAM;
    }
    impl_->hasVideo = videoStreams > 0;
    impl_->volume = 0;
    impl_->rate = 1.0;
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->events.clear();
    return S_OK;
}

void PreviewPlayer::Close()
{
    ReleasePreviewPipeline(*impl_);
    impl_->hasVideo = false;
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->events.clear();
}

bool PreviewPlayer::IsOpen() const { return impl_->playbin != nullptr; }

bool PreviewPlayer::HasVideo() const { return impl_->hasVideo; }

HRESULT PreviewPlayer::Run() { return ChangeState(impl_->playbin, GST_STATE_PLAYING); }

HRESULT PreviewPlayer::Pause() { return ChangeState(impl_->playbin, GST_STATE_PAUSED); }

// A paused pipeline keeps its position and picture, as a stopped graph does.
HRESULT PreviewPlayer::Stop() { return ChangeState(impl_->playbin, GST_STATE_PAUSED); }
