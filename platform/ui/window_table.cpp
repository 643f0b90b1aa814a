// The handle table: HWND values are small numbers that name a WindowState, so stale handles stay harmless.
#include <mutex>
#include <thread>
#include <unordered_map>

#include "ui/window_link.h"
#include "ui/wx_windows.h"

namespace {

std::mutex g_tableLock;
std::unordered_map<uintptr_t, std::unique_ptr<WindowState>> g_table;
std::vector<HWND> g_order;  // creation order, for child and top-level enumeration
uintptr_t g_next = 0x10010;
std::thread::id g_uiThread = std::this_thread::get_id();
thread_local bool t_nativeDefault = false;

}  // namespace

WindowState* StateOf(HWND hWnd)
{
    std::lock_guard<std::mutex> lock(g_tableLock);
    auto it = g_table.find(reinterpret_cast<uintptr_t>(hWnd));
    return it == g_table.end() ? nullptr : it->second.get();
}

HWND NewHandle(std::unique_ptr<WindowState> state)
{
    std::lock_guard<std::mutex> lock(g_tableLock);
    uintptr_t value = g_next;
    g_next += 4;
    HWND h = reinterpret_cast<HWND>(value);
    state->hwnd = h;
    g_table[value] = std::move(state);
    g_order.push_back(h);
    return h;
}

void ReleaseHandle(HWND hWnd)
{
    std::unique_ptr<WindowState> dead;
    {
        std::lock_guard<std::mutex> lock(g_tableLock);
        auto it = g_table.find(reinterpret_cast<uintptr_t>(hWnd));
        if (it == g_table.end())
            return;
        dead = std::move(it->second);
        g_table.erase(it);
        std::erase(g_order, hWnd);
    }
    ForgetTemporaryWindowObject(hWnd);
}

std::vector<HWND> ChildrenOf(HWND parent)
{
    std::lock_guard<std::mutex> lock(g_tableLock);
    std::vector<HWND> out;
    for (HWND h : g_order) {
        const WindowState* s = g_table[reinterpret_cast<uintptr_t>(h)].get();
        if ((s->style & WS_CHILD) && s->parent == parent && !s->destroying)
            out.push_back(h);
    }
    return out;
}

std::vector<HWND> TopLevelWindows()
{
    std::lock_guard<std::mutex> lock(g_tableLock);
    std::vector<HWND> out;
    for (HWND h : g_order) {
        const WindowState* s = g_table[reinterpret_cast<uintptr_t>(h)].get();
        if (!(s->style & WS_CHILD) && !s->destroying)
            out.push_back(h);
    }
    return out;
}

HWND HandleOfWx(wxWindow* w)
{
    for (; w; w = w->GetParent()) {
        if (void* p = w->GetClientData())
            return reinterpret_cast<HWND>(p);
    }
    return nullptr;
}

bool OnUiThread() { return std::this_thread::get_id() == g_uiThread; }

void MarkNativeDefault() { t_nativeDefault = true; }

bool TakeNativeDefault()
{
    bool v = t_nativeDefault;
    t_nativeDefault = false;
    return v;
}

wxWindow* ContainerOf(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return nullptr;
    if (s->surface)
        return s->surface;
    return s->outer;
}
