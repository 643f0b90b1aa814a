// Sending and dispatching messages: window procedures, the default procedure and input delivery.
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <unordered_map>

#include "ui/wx_windows.h"

namespace {

thread_local int t_sendDepth = 0;
DWORD g_lastTime = 0;
POINT g_lastPos{0, 0};

// Registered messages may be asked for by the initialisers of global objects: the table is made on first use.
struct RegisteredMessages {
    std::mutex lock;
    std::unordered_map<std::string, UINT> ids;
};

RegisteredMessages& Registered()
{
    static RegisteredMessages table;
    return table;
}

std::string Lower(const char* s)
{
    std::string out(s ? s : "");
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    return out;
}

}  // namespace

MSG MakeMsg(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG m{hWnd, message, wParam, lParam, (DWORD)wxGetLocalTimeMillis().GetLo(), {0, 0}};
    wxPoint p = wxGetMousePosition();
    m.pt = POINT{p.x, p.y};
    return m;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!proc)
        return DefWindowProc(hWnd, message, wParam, lParam);
    ++t_sendDepth;
    LRESULT r = proc(hWnd, message, wParam, lParam);
    --t_sendDepth;
    return r;
}

namespace {

// Sends from other threads, waiting for the UI thread to run them.
std::mutex g_crossSendsLock;
std::deque<std::function<void()>> g_crossSends;

}  // namespace

void RunCrossThreadSends()
{
    for (;;) {
        std::function<void()> send;
        {
            std::lock_guard<std::mutex> lock(g_crossSendsLock);
            if (g_crossSends.empty())
                return;
            send = std::move(g_crossSends.front());
            g_crossSends.pop_front();
        }
        send();
    }
}

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!OnUiThread()) {
        // Another thread's send runs on the UI thread while the sender waits: from the toolkit's loop, or
        // from a wait of the UI thread's own (it may be waiting for this very thread).
        auto done = std::make_shared<std::promise<LRESULT>>();
        std::future<LRESULT> result = done->get_future();
        {
            std::lock_guard<std::mutex> lock(g_crossSendsLock);
            g_crossSends.push_back([=]() { done->set_value(SendMessage(hWnd, message, wParam, lParam)); });
        }
        wxTheApp->CallAfter(&RunCrossThreadSends);
        return result.get();
    }
    WindowState* s = StateOf(hWnd);
    if (!s)
        return 0;
    return CallWindowProc(s->proc, hWnd, message, wParam, lParam);
}

BOOL InSendMessage() { return FALSE; }

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg || !msg->hwnd)
        return 0;
    g_lastTime = msg->time;
    g_lastPos = msg->pt;
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
    }
    return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL TranslateMessage(const MSG*)
{
    // Characters come from the toolkit's own key translation.
    return FALSE;
}

DWORD GetMessageTime() { return g_lastTime; }

DWORD GetMessagePos() { return (DWORD)MAKELONG(g_lastPos.x, g_lastPos.y); }

// Input for a window that is disabled, or inside a disabled window (the owner of a modal dialog), is dropped.
bool InputBlocked(HWND hWnd)
{
    for (WindowState* s = StateOf(hWnd); s; s = (s->style & WS_CHILD) ? StateOf(s->parent) : nullptr)
        if (s->style & WS_DISABLED)
            return true;
    return false;
}

namespace {
thread_local bool t_consumedBeforeDispatch = false;
}

bool InputConsumedBeforeDispatch() { return t_consumedBeforeDispatch; }

bool DeliverInput(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    t_consumedBeforeDispatch = true;
    if (InputBlocked(hWnd))
        return false;
    MSG m = MakeMsg(hWnd, message, wParam, lParam);
    g_lastTime = m.time;
    g_lastPos = m.pt;
    if (PreTranslateWalk(&m))
        return false;
    t_consumedBeforeDispatch = false;
    WindowState* s = StateOf(m.hwnd);
    if (!s)
        return false;
    bool native = s->kind == WxKind::Native;
    TakeNativeDefault();
    SendMessage(m.hwnd, m.message, m.wParam, m.lParam);
    bool reached = TakeNativeDefault();
    return native ? reached : true;
}

UINT RegisterWindowMessage(LPCSTR name)
{
    RegisteredMessages& r = Registered();
    std::lock_guard<std::mutex> lock(r.lock);
    std::string key = Lower(name);
    auto it = r.ids.find(key);
    if (it != r.ids.end())
        return it->second;
    UINT id = 0xC000 + (UINT)r.ids.size();
    r.ids[key] = id;
    return id;
}
