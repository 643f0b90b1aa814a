// The top-level frame: carries a top-level window's caption, close, move, size and activation to its messages.
#include "ui/wx_windows.h"

TopFrame::TopFrame(wxWindow* owner, HWND hWnd, const wxString& title, const wxRect& rect, long wxStyle)
    : wxFrame(owner, wxID_ANY, title, rect.GetPosition(), rect.GetSize(), wxStyle), m_hwnd(hWnd)
{
    SetClientData(hWnd);
    Bind(wxEVT_CLOSE_WINDOW, &TopFrame::OnClose, this);
    Bind(wxEVT_MOVE, &TopFrame::OnMove, this);
    Bind(wxEVT_SIZE, &TopFrame::OnSize, this);
    Bind(wxEVT_ACTIVATE, &TopFrame::OnActivate, this);
    Bind(wxEVT_ICONIZE, &TopFrame::OnIconize, this);
}

void TopFrame::OnClose(wxCloseEvent& e)
{
    if (!e.CanVeto() || !IsWindow(m_hwnd)) {
        e.Skip();
        return;
    }
    e.Veto();
    SendMessage(m_hwnd, WM_CLOSE, 0, 0);
}

void TopFrame::OnMove(wxMoveEvent& e)
{
    WindowState* s = StateOf(m_hwnd);
    if (s && s->surface) {
        wxPoint p = s->surface->ClientToScreen(wxPoint(0, 0));
        SendMessage(m_hwnd, WM_MOVE, 0, MAKELPARAM(p.x, p.y));
    }
    e.Skip();
}

void TopFrame::OnSize(wxSizeEvent& e)
{
    WindowState* s = StateOf(m_hwnd);
    // The window manager's frame, learnt once the window is up, comes out of the window's size: the dialog gets
    // its client size back (a few times at most, should the manager not allow it).
    const wxSize kept(s ? s->keptClientWidth : 0, s ? s->keptClientHeight : 0);
    if (kept.x > 0 && !IsIconized() && !IsMaximized() && GetClientSize() != kept && s->keptClientTries < 3) {
        ++s->keptClientTries;
        SetClientSize(kept);
    }
    if (s && s->surface)
        SyncClientSize(s, IsIconized() ? SIZE_MINIMIZED : IsMaximized() || s->zoomed ? SIZE_MAXIMIZED : SIZE_RESTORED);
}

void TopFrame::OnActivate(wxActivateEvent& e)
{
    if (IsWindow(m_hwnd))
        SendMessage(m_hwnd, WM_ACTIVATE, e.GetActive() ? WA_ACTIVE : WA_INACTIVE, 0);
    e.Skip();
}

void TopFrame::OnIconize(wxIconizeEvent& e)
{
    if (e.IsIconized() && IsWindow(m_hwnd))
        SendMessage(m_hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
    e.Skip();
}
