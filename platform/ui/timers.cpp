// SetTimer and KillTimer: wx timers that deliver WM_TIMER through pre-translation, or call the timer procedure.
#include <map>

#include "ui/wx_windows.h"

namespace {

class WindowTimer : public wxTimer {
public:
    WindowTimer(HWND hWnd, UINT_PTR id, TIMERPROC proc) : m_hwnd(hWnd), m_id(id), m_proc(proc) {}
    void SetProc(TIMERPROC proc) { m_proc = proc; }
    void Notify() override
    {
        MSG m = MakeMsg(m_hwnd, WM_TIMER, m_id, reinterpret_cast<LPARAM>(m_proc));
        if (m_hwnd && !IsWindow(m_hwnd)) {
            Stop();
            return;
        }
        if (!m_hwnd) {
            if (m_proc)
                m_proc(nullptr, WM_TIMER, m_id, m.time);
            return;
        }
        if (!PreTranslateWalk(&m))
            DispatchMessage(&m);
    }

private:
    HWND m_hwnd;
    UINT_PTR m_id;
    TIMERPROC m_proc;
};

std::map<std::pair<HWND, UINT_PTR>, std::unique_ptr<WindowTimer>> g_timers;
UINT_PTR g_nextThreadTimer = 0x7000;

}  // namespace

UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    if ((hWnd && !IsWindow(hWnd)) || !wxTheApp)
        return 0;
    if (!hWnd)
        id = ++g_nextThreadTimer;
    if (elapse < 10)
        elapse = 10;
    auto key = std::make_pair(hWnd, id);
    auto& slot = g_timers[key];
    if (slot) {
        slot->Stop();
        slot->SetProc(proc);
    } else {
        slot = std::make_unique<WindowTimer>(hWnd, id, proc);
    }
    slot->Start((int)elapse);
    return hWnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hWnd, UINT_PTR id)
{
    auto it = g_timers.find(std::make_pair(hWnd, id));
    if (it == g_timers.end())
        return FALSE;
    it->second->Stop();
    // A timer may be killed from inside its own notification: free it once that returns.
    WindowTimer* dead = it->second.release();
    g_timers.erase(it);
    wxTheApp->CallAfter([dead]() { delete dead; });
    return TRUE;
}

void KillAllTimers(HWND hWnd)
{
    std::vector<UINT_PTR> ids;
    for (auto& [key, timer] : g_timers)
        if (key.first == hWnd)
            ids.push_back(key.second);
    for (UINT_PTR id : ids)
        KillTimer(hWnd, id);
}
