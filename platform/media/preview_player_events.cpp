// The preview player's events: raised on streaming threads, posted to the notify window, taken in order.
#include "media/media_window_post.h"
#include "media/preview_player_impl.h"

void PreviewPlayer::Impl::RaiseEvent(long code, LONG_PTR param1, LONG_PTR param2)
{
    std::lock_guard<std::mutex> lock(mutex);
    events.push_back({code, param1, param2});
    if (notifyWindow != nullptr)
        PostMediaMessage(notifyWindow, notifyMessage, 0, notifyInstance);
}

HRESULT PreviewPlayer::SetNotifyWindow(HWND window, UINT message, LONG_PTR instance)
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->notifyWindow = window;
    impl_->notifyMessage = message;
    impl_->notifyInstance = instance;
    return S_OK;
}

HRESULT PreviewPlayer::GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2)
{
    if (code == nullptr || param1 == nullptr || param2 == nullptr)
        return E_POINTER;
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (impl_->events.empty())
        return E_ABORT;
    const PreviewEvent event = impl_->events.front();
    impl_->events.pop_front();
    *code = event.code;
    *param1 = event.param1;
    *param2 = event.param2;
    return S_OK;
}
