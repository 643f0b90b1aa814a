// Scroll bars: a window's own bars (WS_HSCROLL / WS_VSCROLL) and the scroll-bar control, with their messages.
#include "ui/step_scroll_bar.h"
#include "ui/wx_windows.h"

namespace {

const int kBar = 17;

bool RangeShows(const SCROLLINFO& si)
{
    int span = si.nMax - si.nMin;
    return span > 0 && (si.nPage == 0 || (int)si.nPage <= span);
}

void ApplyToWx(wxScrollBar* bar, const SCROLLINFO& si)
{
    int range = std::max(si.nMax - si.nMin + 1, 1);
    int page = std::max<int>((int)si.nPage, 1);
    bar->SetScrollbar(si.nPos - si.nMin, page, range, page, true);
}

WPARAM CodeOf(wxEventType t, int& pos)
{
    if (t == wxEVT_SCROLL_LINEUP)
        return SB_LINEUP;
    if (t == wxEVT_SCROLL_LINEDOWN)
        return SB_LINEDOWN;
    if (t == wxEVT_SCROLL_PAGEUP)
        return SB_PAGEUP;
    if (t == wxEVT_SCROLL_PAGEDOWN)
        return SB_PAGEDOWN;
    if (t == wxEVT_SCROLL_THUMBTRACK)
        return SB_THUMBTRACK;
    if (t == wxEVT_SCROLL_THUMBRELEASE)
        return SB_THUMBPOSITION;
    if (t == wxEVT_SCROLL_TOP)
        return SB_TOP;
    if (t == wxEVT_SCROLL_BOTTOM)
        return SB_BOTTOM;
    pos = 0;
    return SB_ENDSCROLL;
}

// Sends the scroll message for a wx scroll event; the owner moves the thumb, as the window system expects.
void Forward(HWND target, UINT message, const SCROLLINFO* info, wxScrollEvent& e)
{
    int pos = e.GetPosition() + (info ? info->nMin : 0);
    WPARAM code = CodeOf(e.GetEventType(), pos);
    SendMessage(target, message, MAKEWPARAM(code, (WORD)pos), 0);
    if (code == SB_THUMBPOSITION)
        SendMessage(target, message, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
}

SCROLLINFO* InfoOf(WindowState* s, int bar)
{
    if (bar == SB_VERT)
        return &s->vinfo;
    if (bar == SB_HORZ)
        return &s->hinfo;
    return &s->vinfo;  // a scroll-bar control keeps its values in the vertical slot
}

wxScrollBar* WxBarOf(WindowState* s, int bar)
{
    if (bar == SB_CTL)
        return nullptr;  // the control is a StepScrollBar
    return bar == SB_VERT ? s->vscroll : s->hscroll;
}

}  // namespace

void LayoutWindowScrollBars(WindowState* s)
{
    if (!s->surface)
        return;
    HWND h = s->hwnd;
    auto make = [&](wxScrollBar*& bar, long orient, UINT message, int which) {
        if (bar)
            return;
        bar = new wxScrollBar(s->surface, wxID_ANY, wxDefaultPosition, wxDefaultSize, orient);
        bar->Hide();
        for (const wxEventTypeTag<wxScrollEvent>& t :
             {wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN, wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN,
              wxEVT_SCROLL_THUMBTRACK, wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM})
            bar->Bind(t, [h, message, which](wxScrollEvent& e) {
                WindowState* st = StateOf(h);
                if (!st)
                    return;
                Forward(h, message, InfoOf(st, which), e);
                if ((st = StateOf(h)) != nullptr && e.GetEventType() != wxEVT_SCROLL_THUMBTRACK)
                    ApplyToWx(which == SB_VERT ? st->vscroll : st->hscroll, *InfoOf(st, which));
            });
    };
    if (s->style & WS_VSCROLL)
        make(s->vscroll, wxSB_VERTICAL, WM_VSCROLL, SB_VERT);
    if (s->style & WS_HSCROLL)
        make(s->hscroll, wxSB_HORIZONTAL, WM_HSCROLL, SB_HORZ);
    bool vShow = s->vscroll && (s->style & WS_VSCROLL) && RangeShows(s->vinfo);
    bool hShow = s->hscroll && (s->style & WS_HSCROLL) && RangeShows(s->hinfo);
    wxSize z = s->surface->GetClientSize();
    if (s->vscroll) {
        s->vscroll->SetSize(z.x - kBar, 0, kBar, z.y - (hShow ? kBar : 0));
        s->vscroll->Show(vShow);
    }
    if (s->hscroll) {
        s->hscroll->SetSize(0, z.y - kBar, z.x - (vShow ? kBar : 0), kBar);
        s->hscroll->Show(hShow);
    }
}

int SetScrollInfo(HWND hWnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    WindowState* s = StateOf(hWnd);
    if (!s || !info)
        return 0;
    SCROLLINFO* si = InfoOf(s, bar);
    bool wasShown = RangeShows(*si);
    if (info->fMask & SIF_RANGE) {
        si->nMin = info->nMin;
        si->nMax = info->nMax;
    }
    if (info->fMask & SIF_PAGE)
        si->nPage = info->nPage;
    if (info->fMask & SIF_POS)
        si->nPos = info->nPos;
    // The position stays within the range less one page, as the window system keeps it.
    int maxPos = si->nMax - std::max<int>((int)si->nPage - 1, 0);
    si->nPos = std::clamp(si->nPos, si->nMin, std::max(maxPos, si->nMin));
    if (wxScrollBar* wxbar = WxBarOf(s, bar))
        ApplyToWx(wxbar, *si);
    else if (bar == SB_CTL && s->native)
        s->native->Refresh();
    if (bar != SB_CTL && wasShown != RangeShows(*si)) {
        LayoutWindowScrollBars(s);
        SyncClientSize(s);
    }
    return si->nPos;
}

BOOL GetScrollInfo(HWND hWnd, int bar, LPSCROLLINFO info)
{
    WindowState* s = StateOf(hWnd);
    if (!s || !info)
        return FALSE;
    const SCROLLINFO* si = InfoOf(s, bar);
    if (info->fMask & SIF_RANGE) {
        info->nMin = si->nMin;
        info->nMax = si->nMax;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = si->nPage;
    if (info->fMask & SIF_POS)
        info->nPos = si->nPos;
    if (info->fMask & SIF_TRACKPOS) {
        wxScrollBar* wxbar = WxBarOf(s, bar);
        auto* control = bar == SB_CTL ? dynamic_cast<StepScrollBar*>(s->native) : nullptr;
        info->nTrackPos = wxbar ? wxbar->GetThumbPosition() + si->nMin : control ? control->TrackPosition() : si->nPos;
    }
    return TRUE;
}

int SetScrollPos(HWND hWnd, int bar, int pos, BOOL redraw)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return 0;
    int old = InfoOf(s, bar)->nPos;
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hWnd, bar, &si, redraw);
    return old;
}

int GetScrollPos(HWND hWnd, int bar)
{
    WindowState* s = StateOf(hWnd);
    return s ? InfoOf(s, bar)->nPos : 0;
}

BOOL SetScrollRange(HWND hWnd, int bar, int minPos, int maxPos, BOOL redraw)
{
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    SetScrollInfo(hWnd, bar, &si, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hWnd, int bar, LPINT minPos, LPINT maxPos)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return FALSE;
    *minPos = InfoOf(s, bar)->nMin;
    *maxPos = InfoOf(s, bar)->nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int bar, BOOL show)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return FALSE;
    if (bar == SB_CTL) {
        ShowWindow(hWnd, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    DWORD bits = bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : (WS_VSCROLL | WS_HSCROLL);
    if (show)
        s->style |= bits;
    else
        s->style &= ~bits;
    LayoutWindowScrollBars(s);
    SyncClientSize(s);
    return TRUE;
}

BOOL EnableScrollBar(HWND hWnd, UINT bar, UINT arrows)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return FALSE;
    if (wxScrollBar* wxbar = WxBarOf(s, (int)bar))
        wxbar->Enable(arrows != ESB_DISABLE_BOTH);
    else if (bar == SB_CTL && s->native)
        s->native->Enable(arrows != ESB_DISABLE_BOTH);
    return TRUE;
}

// An aligned scroll bar takes the standard thickness at the named edge of its rectangle.
wxRect AlignedScrollBarRect(DWORD style, wxRect r)
{
    bool vert = (style & SBS_VERT) != 0;
    int thick = GetSystemMetrics(vert ? SM_CXVSCROLL : SM_CYHSCROLL);
    if (style & (vert ? SBS_RIGHTALIGN : SBS_BOTTOMALIGN)) {
        if (vert)
            r.x += r.width - thick;
        else
            r.y += r.height - thick;
    } else if (!(style & (vert ? SBS_LEFTALIGN : SBS_TOPALIGN))) {
        return r;
    }
    (vert ? r.width : r.height) = thick;
    return r;
}

wxWindow* CreateScrollBarControl(WindowState* s, wxWindow* parent, const wxRect& rect)
{
    HWND h = s->hwnd;
    UINT message = (s->style & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    s->vinfo = SCROLLINFO{sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
    return new StepScrollBar(parent, rect, (s->style & SBS_VERT) != 0, &s->vinfo, [h, message](int code, int pos) {
        if (WindowState* st = StateOf(h))
            SendMessage(st->parent, message, MAKEWPARAM(code, (WORD)pos), (LPARAM)h);
    });
}

LRESULT CALLBACK ScrollBarProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return 0;
    switch (message) {
    case SBM_SETPOS: return SetScrollPos(hWnd, SB_CTL, (int)wParam, (BOOL)lParam);
    case SBM_GETPOS: return s->vinfo.nPos;
    case SBM_SETRANGE: return SetScrollRange(hWnd, SB_CTL, (int)wParam, (int)lParam, FALSE);
    case SBM_GETRANGE:
        if (wParam)
            *reinterpret_cast<LPINT>(wParam) = s->vinfo.nMin;
        if (lParam)
            *reinterpret_cast<LPINT>(lParam) = s->vinfo.nMax;
        return 0;
    case SBM_SETSCROLLINFO: return SetScrollInfo(hWnd, SB_CTL, reinterpret_cast<LPCSCROLLINFO>(lParam), (BOOL)wParam);
    case SBM_GETSCROLLINFO: return GetScrollInfo(hWnd, SB_CTL, reinterpret_cast<LPSCROLLINFO>(lParam));
    }
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || (message >= WM_KEYFIRST && message <= WM_KEYLAST))
        MarkNativeDefault();
    return DefWindowProc(hWnd, message, wParam, lParam);
}
