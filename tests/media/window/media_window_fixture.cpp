// Shared set-up of the media window tests: a shown frame with a child window that records what it is sent.
#include "media_window_fixture.h"

#include "media/wave_out.h"

namespace {

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER || message == MM_WOM_OPEN || message == MM_WOM_DONE || message == MM_WOM_CLOSE)
        ChildMessages().push_back({message, wParam, lParam});
    return DefWindowProc(hWnd, message, wParam, lParam);
}

void RegisterOnce()
{
    static const bool registered = [] {
        WNDCLASS frame{0, &DefWindowProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "MediaTestFrame"};
        WNDCLASS child{0, &RecordingProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "MediaTestChild"};
        return RegisterClass(&frame) != 0 && RegisterClass(&child) != 0;
    }();
    ASSERT_TRUE(registered);
}

}  // namespace

std::vector<ReceivedMessage>& ChildMessages()
{
    static std::vector<ReceivedMessage> messages;
    return messages;
}

void MediaWindowTest::SetUp()
{
    RegisterOnce();
    ChildMessages().clear();
    frame_ = CreateWindow("MediaTestFrame", "media test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 260, 220, nullptr,
                          nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, frame_);
    child_ = CreateWindow("MediaTestChild", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 200, 150, frame_,
                          nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, child_);
    UpdateWindow(frame_);
    PumpFor(100);
}

void MediaWindowTest::TearDown()
{
    if (frame_ != nullptr)
        DestroyWindow(frame_);
    PumpFor(20);
}
