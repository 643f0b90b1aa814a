// Messages: synchronous sends, posts from another thread in order, message numbers 0 and WM_USER+100, timers,
// pumps inside pumped handlers, and sends from a worker the UI thread waits for.
#include <atomic>
#include <thread>
#include <vector>

#include "kernel/synchronization.h"
#include "tests/support/window/ui_fixture.h"

namespace {

class MessageWnd : public CWnd {
public:
    std::vector<WPARAM> skin;
    int zero = 0;
    std::vector<UINT_PTR> ticks;

    BOOL Make() { return CreateEx(0, nullptr, "messages", WS_POPUP, 10, 10, 120, 80, nullptr, nullptr); }

protected:
    LRESULT OnZero(WPARAM w, LPARAM) { return ++zero + (LRESULT)w; }
    LRESULT OnSkin(WPARAM w, LPARAM)
    {
        skin.push_back(w);
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR id)
    {
        ticks.push_back(id);
        if (ticks.size() == 3)
            KillTimer(id);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MessageWnd, CWnd)
ON_MESSAGE(0, OnZero)
ON_MESSAGE(WM_USER + 100, OnSkin)
ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(Messages, SendRunsTheHandlerAtOnceEvenForMessageZero)
{
    MessageWnd w;
    ASSERT_TRUE(w.Make());
    EXPECT_EQ(w.SendMessage(0, 10, 0), 11);
    EXPECT_EQ(w.zero, 1);
    w.SendMessage(WM_USER + 100, 7, 0);
    ASSERT_EQ(w.skin.size(), 1u);
    EXPECT_EQ(w.skin[0], 7u);
}

TEST(Messages, PostsFromAnotherThreadArriveInOrder)
{
    MessageWnd w;
    ASSERT_TRUE(w.Make());
    HWND h = w.GetSafeHwnd();
    const int count = 2000;
    std::thread poster([h] {
        for (int i = 0; i < count; ++i)
            PostMessage(h, WM_USER + 100, (WPARAM)i, 0);
    });
    poster.join();
    ASSERT_TRUE(PumpUntil([&] { return (int)w.skin.size() == count; }));
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(w.skin[i], (WPARAM)i);
}

TEST(Messages, PostedMessageWaitsForTheLoop)
{
    MessageWnd w;
    ASSERT_TRUE(w.Make());
    w.PostMessage(WM_USER + 100, 1, 0);
    EXPECT_TRUE(w.skin.empty());
    ASSERT_TRUE(PumpUntil([&] { return w.skin.size() == 1; }));
}

TEST(Messages, PostToADestroyedWindowIsRefused)
{
    MessageWnd w;
    ASSERT_TRUE(w.Make());
    HWND h = w.GetSafeHwnd();
    w.DestroyWindow();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(PostMessage(h, WM_USER + 100, 1, 0));
}

TEST(Messages, TimerDeliversItsIdUntilKilled)
{
    MessageWnd w;
    ASSERT_TRUE(w.Make());
    EXPECT_EQ(w.SetTimer(5, 15, nullptr), 5u);
    ASSERT_TRUE(PumpUntil([&] { return w.ticks.size() == 3; }));
    PumpFor(60);
    EXPECT_EQ(w.ticks, (std::vector<UINT_PTR>{5, 5, 5}));
}

TEST(Messages, RegisteredMessagesAreOnePerName)
{
    UINT a = RegisterWindowMessage("TaskbarCreated");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(a, RegisterWindowMessage("TaskbarCreated"));
    EXPECT_NE(a, RegisterWindowMessage("Other"));
}

// A handler called by the toolkit from a pump runs a pump of its own, as the export's process runner does.
class NestedPumpWnd : public CWnd {
public:
    int inner = 0;
    bool innerSeen = false;

protected:
    afx_msg void OnTimer(UINT_PTR id)
    {
        if (id == 2) {
            ++inner;
            return;
        }
        KillTimer(1);
        SetTimer(2, 10, nullptr);
        innerSeen = PumpUntil([&] { return inner > 0; }, 2000);
        KillTimer(2);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NestedPumpWnd, CWnd)
ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(Messages, PumpInsideAPumpedHandlerKeepsTimersRunning)
{
    NestedPumpWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "nested", WS_POPUP, 10, 10, 50, 50, nullptr, nullptr));
    w.SetTimer(1, 10, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return w.inner > 0 || w.innerSeen; }, 4000));
    EXPECT_TRUE(w.innerSeen);
}

TEST(Messages, SendFromAWorkerTheUiThreadWaitsForCompletes)
{
    MessageWnd w;
    ASSERT_TRUE(w.Make());
    HWND h = w.GetSafeHwnd();
    // The worker reports through a send, as a playback worker would, while the UI thread waits for it to end.
    HANDLE worker = CreateThread(
        nullptr, 0, [](LPVOID p) -> DWORD { return (DWORD)::SendMessage(static_cast<HWND>(p), 0, 41, 0); }, h, 0,
        nullptr);
    ASSERT_NE(worker, nullptr);
    DWORD waited = WaitForSingleObject(worker, 5000);
    if (waited != WAIT_OBJECT_0)
        PumpUntil([&] { return WaitForSingleObject(worker, 0) == WAIT_OBJECT_0; });  // free it before failing
    EXPECT_EQ(waited, (DWORD)WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(worker, &code);
    EXPECT_EQ(code, 42u);
    CloseHandle(worker);
}

}  // namespace
