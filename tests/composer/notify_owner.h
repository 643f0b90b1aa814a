// NotifyOwner: a top-level window that records the WM_USER+100 notifications the composer's dialogs post.
#pragma once

#include <utility>
#include <vector>

#include "tests/support/window/ui_fixture.h"

constexpr UINT kNotifyMessage = WM_USER + 100;

class NotifyOwner : public CWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> posts;

    NotifyOwner()
    {
        EXPECT_TRUE(CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 40, 40, 600, 460, nullptr, nullptr));
    }
    ~NotifyOwner() override { DestroyWindow(); }

    // Delivers what is queued and answers the notifications received so far, forgetting them.
    std::vector<std::pair<WPARAM, LPARAM>> Take()
    {
        PumpFor(50);
        return std::exchange(posts, {});
    }

protected:
    afx_msg LRESULT OnNotify100(WPARAM wParam, LPARAM lParam)
    {
        posts.emplace_back(wParam, lParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
