// The link between window handles and class-library objects, kept in the window records.
#include "ui/wx_state.h"
#include "ui/window_link.h"

CWnd* WindowObject(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    return s ? s->cwnd : nullptr;
}

void LinkWindowObject(HWND hWnd, CWnd* wnd)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return;
    s->cwnd = wnd;
    if (s->proc != &ObjectWindowProc) {
        s->superProc = s->proc;
        s->proc = &ObjectWindowProc;
    }
}

void UnlinkWindowObject(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return;
    s->cwnd = nullptr;
    if (s->proc == &ObjectWindowProc)
        s->proc = s->superProc ? s->superProc : &DefWindowProc;
}

WNDPROC SuperProcOf(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    return s ? s->superProc : nullptr;
}
