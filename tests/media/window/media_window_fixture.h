// Shared set-up of the media window tests: a shown frame with a child window that records what it is sent.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/window/ui_fixture.h"

struct ReceivedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Messages at WM_USER and above, and the wave output messages, that reached the child window.
std::vector<ReceivedMessage>& ChildMessages();

class MediaWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND frame_ = nullptr;
    HWND child_ = nullptr;  // 200 x 150 at (10, 10) of the frame's client area
};
