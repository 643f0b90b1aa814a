// Where the media layer's window notifications go.
#include "media/media_window_post.h"

#include <atomic>

namespace {

std::atomic<MediaPostFunction> g_post{nullptr};

}  // namespace

void SetMediaPostFunction(MediaPostFunction post) { g_post.store(post); }

BOOL PostMediaMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MediaPostFunction post = g_post.load();
    return post != nullptr && post(window, message, wParam, lParam);
}
