// The preview player's positions, duration, rate and volume.
#include "media/preview_player_impl.h"
#include "media/preview_units.h"

bool PreviewPlayer::Impl::SeekTo(gint64 nanoseconds)
{
    const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    return gst_element_seek(playbin, rate, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET, nanoseconds, GST_SEEK_TYPE_NONE,
                            GST_CLOCK_TIME_NONE) &&
           Settle();
}

HRESULT PreviewPlayer::GetCurrentPosition(LONGLONG* position)
{
    if (position == nullptr)
        return E_POINTER;
    if (impl_->playbin == nullptr)
        return E_UNEXPECTED;
    gint64 nanoseconds = 0;
    if (!gst_element_query_position(impl_->playbin, GST_FORMAT_TIME, &nanoseconds))
        return E_FAIL;
    *position = nanoseconds / kNanosecondsPer100ns;
    return S_OK;
}

HRESULT PreviewPlayer::GetDuration(LONGLONG* duration)
{
    if (duration == nullptr)
        return E_POINTER;
    if (impl_->playbin == nullptr)
        return E_UNEXPECTED;
    gint64 nanoseconds = 0;
    if (!gst_element_query_duration(impl_->playbin, GST_FORMAT_TIME, &nanoseconds))
        return E_FAIL;
    *duration = nanoseconds / kNanosecondsPer100ns;
    return S_OK;
}

HRESULT PreviewPlayer::SetCurrentPosition(LONGLONG position)
{
    if (impl_->playbin == nullptr)
        return E_UNEXPECTED;
    if (position < 0)
        return E_INVALIDARG;
    return impl_->SeekTo(position * kNanosecondsPer100ns) ? S_OK : E_FAIL;
}

HRESULT PreviewPlayer::GetVolume(long* volume)
{
    if (volume == nullptr)
        return E_POINTER;
    if (impl_->playbin == nullptr)
        return E_UNEXPECTED;
    *volume = impl_->volume;
    return S_OK;
}

HRESULT PreviewPlayer::PutVolume(long volume)
{
    if (impl_->playbin == nullptr)
        return E_UNEXPECTED;
    if (volume > 0 || volume < -10000)
        return E_INVALIDARG;
    g_object_set(impl_->playbin, "volume", LinearVolume(volume), nullptr);
    impl_->volume = volume;
    return S_OK;
}

HRESULT PreviewPlayer::GetRate(double* rate)
{
    if (rate == nullptr)
        return E_POINTER;
    if (impl_->playbin == nullptr)
        return E_UNEXPECTED;
    *rate = impl_->rate;
    return S_OK;
}

HRESULT PreviewPlayer::PutRate(double rate)
{
    if (impl_->playbin == nullptr)
        return E_UNEXPECTED;
    if (!(rate > 0.0))
        return E_INVALIDARG;
    // A rate takes effect through a seek from where the stream is.
    gint64 nanoseconds = 0;
    if (!gst_element_query_position(impl_->playbin, GST_FORMAT_TIME, &nanoseconds))
        return E_FAIL;
    const double previous = impl_->rate;
    impl_->rate = rate;
    if (impl_->SeekTo(nanoseconds))
        return S_OK;
    impl_->rate = previous;
    return E_FAIL;
}
