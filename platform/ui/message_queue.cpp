// Posted messages (first in, first out, from any thread), the quit message, PeekMessage and the modal loops.

#include <glib.h>

#include <atomic>
#include <deque>
#include <mutex>

#include "ui/wx_windows.h"

namespace {

std::mutex g_queueLock;
std::deque<MSG> g_queue;
bool g_wakeScheduled = false;
std::atomic<bool> g_quit{false};
std::atomic<int> g_quitCode{0};

struct LoopEntry {
    wxGUIEventLoop* loop;
    HWND dialog;  // null for the application's loop
};
std::vector<LoopEntry> g_loops;
int g_peekDepth = 0;

bool Matches(const MSG& m, HWND hWnd, UINT lo, UINT hi)
{
    if (hWnd && m.hwnd != hWnd)
        return false;
    if (lo == 0 && hi == 0)
        return true;
    return m.message >= lo && m.message <= hi;
}

bool PopMatching(MSG* out, HWND hWnd, UINT lo, UINT hi, bool remove)
{
    std::lock_guard<std::mutex> lock(g_queueLock);
    for (auto it = g_queue.begin(); it != g_queue.end(); ++it) {
        if (Matches(*it, hWnd, lo, hi)) {
            *out = *it;
            if (remove)
                g_queue.erase(it);
            return true;
        }
    }
    return false;
}

// The quit message once posted, else the first queued message that matches.
bool TakeNext(MSG* out, HWND hWnd, UINT lo, UINT hi, bool remove)
{
    if (g_quit) {
        *out = MakeMsg(nullptr, WM_QUIT, (WPARAM)(int)g_quitCode, 0);
        if (remove)
            g_quit = false;
        return true;
    }
    return PopMatching(out, hWnd, lo, hi, remove);
}

void ScheduleWake();

// Dispatches one posted message per wake, so a nested loop started by its handler keeps draining.
void DrainOne()
{
    MSG m;
    {
        std::lock_guard<std::mutex> lock(g_queueLock);
        g_wakeScheduled = false;
        if (g_queue.empty())
            return;
        m = g_queue.front();
        g_queue.pop_front();
        if (!g_queue.empty()) {
            g_wakeScheduled = true;
            wxTheApp->CallAfter(&DrainOne);
        }
    }
    if (m.hwnd && !IsWindow(m.hwnd))
        return;
    if (!PreTranslateWalk(&m))
        DispatchMessage(&m);
}

void ScheduleWake()
{
    if (!g_wakeScheduled && wxTheApp) {
        g_wakeScheduled = true;
        wxTheApp->CallAfter(&DrainOne);
    }
}

void ExitInnermostIfDone();

// Checks again shortly: a toolkit dialog (message box, file dialog) may be running its own loop above ours.
class LaterCheck : public wxTimer {
public:
    void Notify() override { ExitInnermostIfDone(); }
};

// Ends the innermost loop when its dialog has ended or the quit message came.
void ExitInnermostIfDone()
{
    if (g_loops.empty())
        return;
    LoopEntry& e = g_loops.back();
    WindowState* s = e.dialog ? StateOf(e.dialog) : nullptr;
    bool ended = g_quit || (e.dialog && (!s || s->dialogEnded));
    if (!ended || !e.loop->IsRunning())
        return;
    if (wxEventLoopBase::GetActive() == e.loop) {
        e.loop->ScheduleExit();
        return;
    }
    static LaterCheck later;
    if (!later.IsRunning())
        later.StartOnce(50);
}

int RunLoop(HWND dialog)
{
    wxGUIEventLoop loop;
    g_loops.push_back({&loop, dialog});
    for (;;) {
        WindowState* s = dialog ? StateOf(dialog) : nullptr;
        if (g_quit || (dialog && (!s || s->dialogEnded)))
            break;
        loop.Run();
    }
    g_loops.pop_back();
    ExitInnermostIfDone();
    return 0;
}

}  // namespace

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hWnd && !IsWindow(hWnd))
        return FALSE;
    MSG m = MakeMsg(hWnd, message, wParam, lParam);
    std::lock_guard<std::mutex> lock(g_queueLock);
    g_queue.push_back(m);
    ScheduleWake();
    return TRUE;
}

BOOL PostThreadMessage(DWORD, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PostMessage(nullptr, message, wParam, lParam);
}

void PostQuitMessage(int exitCode)
{
    g_quitCode = exitCode;
    g_quit = true;
    if (OnUiThread())
        ExitInnermostIfDone();
    else if (wxTheApp)
        wxTheApp->CallAfter(&ExitInnermostIfDone);
}

void NotifyDialogEnded() { ExitInnermostIfDone(); }

int RunModalLoop(HWND dialog) { return RunLoop(dialog); }

void RunMessageLoop()
{
    RunLoop(nullptr);
    g_quit = false;  // the application's loop takes the quit message off the queue
}

BOOL PeekMessage(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax, UINT removeMessage)
{
    if (!msg)
        return FALSE;
    bool remove = (removeMessage & PM_REMOVE) != 0;
    if (TakeNext(msg, hWnd, filterMin, filterMax, remove))
        return TRUE;
    if (OnUiThread() && wxTheApp) {
        // Let the toolkit deliver input, paints and timers.
        ++g_peekDepth;
        if (g_peekDepth > 1) {
            // A pump inside a handler that an outer pump called: the toolkit's yield does not nest, its main
            // loop does (each source but the one running the outer handler).
            for (int i = 0; i < 64 && g_main_context_iteration(nullptr, FALSE); ++i) {
            }
            wxTheApp->ProcessPendingEvents();
        } else if (wxEventLoopBase* active = wxEventLoopBase::GetActive()) {
            active->YieldFor(wxEVT_CATEGORY_ALL);
        } else {
            wxGUIEventLoop temp;
            wxEventLoopActivator activate(&temp);
            temp.YieldFor(wxEVT_CATEGORY_ALL);
        }
        --g_peekDepth;
        if (TakeNext(msg, hWnd, filterMin, filterMax, remove))
            return TRUE;
    }
    return FALSE;
}

BOOL WaitMessage()
{
    wxEventLoopBase* active = wxEventLoopBase::GetActive();
    if (active)
        active->Dispatch();
    else
        wxMilliSleep(1);
    return TRUE;
}

BOOL GetMessage(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax)
{
    for (;;) {
        if (PeekMessage(msg, hWnd, filterMin, filterMax, PM_REMOVE))
            return msg->message != WM_QUIT;
        WaitMessage();
    }
}
