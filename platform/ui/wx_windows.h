// Internal: the wx windows of the layer — the painted surface window and the top-level frame.
#pragma once

#include "ui/wx_state.h"

// A window painted by its owner through a backing surface; turns wx input into window messages.
class SurfaceWindow : public wxWindow {
public:
    SurfaceWindow(wxWindow* parent, HWND hWnd, const wxRect& rect, long wxStyle);
    HWND Handle() const { return m_hwnd; }
    bool AcceptsFocus() const override;
    bool AcceptsFocusFromKeyboard() const override;

private:
    void OnPaint(wxPaintEvent& e);
    void OnMouse(wxMouseEvent& e);
    void OnCaptureLost(wxMouseCaptureLostEvent& e);
    void OnKeyDown(wxKeyEvent& e);
    void OnKeyUp(wxKeyEvent& e);
    void OnChar(wxKeyEvent& e);
    void OnFocus(wxFocusEvent& e);
    void OnKillFocus(wxFocusEvent& e);
    void OnSize(wxSizeEvent& e);
    HWND m_hwnd;
};

// A top-level window: the frame the window manager decorates, with one surface client.
class TopFrame : public wxFrame {
public:
    TopFrame(wxWindow* owner, HWND hWnd, const wxString& title, const wxRect& rect, long wxStyle);
    HWND Handle() const { return m_hwnd; }

private:
    void OnClose(wxCloseEvent& e);
    void OnMove(wxMoveEvent& e);
    void OnSize(wxSizeEvent& e);
    void OnActivate(wxActivateEvent& e);
    void OnIconize(wxIconizeEvent& e);
    HWND m_hwnd;
};

// Makes a frame not yet shown a drop-down: the window manager neither decorates, moves nor activates it.
void MakeDropDownWindow(TopFrame* frame);

// lParam of a key message: repeat count 1, the scan code, the context bit, and for key-up the previous-state
// and transition bits.
LPARAM KeyLParam(const wxKeyEvent& e, bool up);

// Hooks input of a native wx control (and its inner windows) into the window messages of hWnd.
void HookNativeInput(wxWindow* control, HWND hWnd);

// Delivers a wx mouse event (from window 'from') to hWnd as its mouse message; true when the native
// default was reached.
bool DeliverMouseEvent(HWND hWnd, wxWindow* from, const wxMouseEvent& e);
