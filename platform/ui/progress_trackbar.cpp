// The progress bar and track bar classes as toolkit gauges and sliders.
#include "ui/wx_windows.h"

#include "ui/commctrl.h"

namespace {

struct RangeData {
    int low = 0;
    int high = 100;
    int pos = 0;
    int step = 10;
    int page = 0;
    int line = 1;
};

RangeData& DataOf(WindowState* s)
{
    if (!s->extra)
        s->extra = std::make_shared<RangeData>();
    return *static_cast<RangeData*>(s->extra.get());
}

void ShowGauge(WindowState* s)
{
    auto* g = dynamic_cast<wxGauge*>(s->native);
    if (!g)
        return;
    RangeData& d = DataOf(s);
    g->SetRange(std::max(d.high - d.low, 1));
    g->SetValue(std::clamp(d.pos, d.low, d.high) - d.low);
}

int SetPos(WindowState* s, int pos)
{
    RangeData& d = DataOf(s);
    int old = d.pos;
    d.pos = std::clamp(pos, d.low, d.high);
    ShowGauge(s);
    return old;
}

WORD TrackCode(wxEventType t)
{
    if (t == wxEVT_SCROLL_LINEUP)
        return TB_LINEUP;
    if (t == wxEVT_SCROLL_LINEDOWN)
        return TB_LINEDOWN;
    if (t == wxEVT_SCROLL_PAGEUP)
        return TB_PAGEUP;
    if (t == wxEVT_SCROLL_PAGEDOWN)
        return TB_PAGEDOWN;
    if (t == wxEVT_SCROLL_THUMBTRACK)
        return TB_THUMBTRACK;
    if (t == wxEVT_SCROLL_THUMBRELEASE)
        return TB_THUMBPOSITION;
    if (t == wxEVT_SCROLL_TOP)
        return TB_TOP;
    if (t == wxEVT_SCROLL_BOTTOM)
        return TB_BOTTOM;
    return TB_ENDTRACK;
}

}  // namespace

wxWindow* CreateProgressControl(WindowState* s, wxWindow* parent, const wxRect& rect)
{
    long style = (s->style & PBS_VERTICAL) ? wxGA_VERTICAL : wxGA_HORIZONTAL;
    if (s->style & PBS_SMOOTH)
        style |= wxGA_SMOOTH;
    return new wxGauge(parent, wxID_ANY, 100, rect.GetPosition(), rect.GetSize(), style);
}

LRESULT CALLBACK ProgressProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(h);
    if (!s)
        return 0;
    RangeData& d = DataOf(s);
    switch (message) {
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
        LRESULT old = MAKELRESULT(d.low, d.high);
        d.low = message == PBM_SETRANGE ? (int)LOWORD(lParam) : (int)wParam;
        d.high = message == PBM_SETRANGE ? (int)HIWORD(lParam) : (int)lParam;
        ShowGauge(s);
        return old;
    }
    case PBM_GETRANGE:
        if (lParam) {
            reinterpret_cast<PBRANGE*>(lParam)->iLow = d.low;
            reinterpret_cast<PBRANGE*>(lParam)->iHigh = d.high;
        }
        return wParam ? d.low : d.high;
    case PBM_SETPOS: return SetPos(s, (int)wParam);
    case PBM_DELTAPOS: return SetPos(s, d.pos + (int)wParam);
    case PBM_SETSTEP: {
        int old = d.step;
        d.step = (int)wParam;
        return old;
    }
    case PBM_STEPIT: {
        int next = d.pos + d.step;
        if (next > d.high)
            next = d.low + (next - d.high);  // stepping past the end wraps to the start
        return SetPos(s, next);
    }
    case PBM_GETPOS: return d.pos;
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR: return CLR_INVALID;
    }
    return NativeDefault(h, message, wParam, lParam);
}

wxWindow* CreateTrackBarControl(WindowState* s, wxWindow* parent, const wxRect& rect)
{
    long style = (s->style & TBS_VERT) ? wxSL_VERTICAL : wxSL_HORIZONTAL;
    if (s->style & TBS_AUTOTICKS)
        style |= wxSL_AUTOTICKS;
    auto* slider = new wxSlider(parent, wxID_ANY, 0, 0, 100, rect.GetPosition(), rect.GetSize(), style);
    HWND h = s->hwnd;
    UINT message = (s->style & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    for (const wxEventTypeTag<wxScrollEvent>& t :
         {wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN, wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN,
          wxEVT_SCROLL_THUMBTRACK, wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM,
          wxEVT_SCROLL_CHANGED})
        slider->Bind(t, [h, message](wxScrollEvent& e) {
            WindowState* st = StateOf(h);
            if (!st)
                return;
            DataOf(st).pos = e.GetPosition();
            WORD code = TrackCode(e.GetEventType());
            WORD pos = (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) ? (WORD)e.GetPosition() : 0;
            SendMessage(st->parent, message, MAKEWPARAM(code, pos), (LPARAM)h);
        });
    return slider;
}

LRESULT CALLBACK TrackBarProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(h);
    if (!s)
        return 0;
    auto* slider = dynamic_cast<wxSlider*>(s->native);
    RangeData& d = DataOf(s);
    if (!slider)
        return NativeDefault(h, message, wParam, lParam);
    switch (message) {
    case TBM_GETPOS: return slider->GetValue();
    case TBM_SETPOS:
        slider->SetValue((int)lParam);
        d.pos = slider->GetValue();
        return 0;
    case TBM_SETRANGE: slider->SetRange((short)LOWORD(lParam), (short)HIWORD(lParam)); return 0;
    case TBM_SETRANGEMIN: slider->SetRange((int)lParam, slider->GetMax()); return 0;
    case TBM_SETRANGEMAX: slider->SetRange(slider->GetMin(), (int)lParam); return 0;
    case TBM_GETRANGEMIN: return slider->GetMin();
    case TBM_GETRANGEMAX: return slider->GetMax();
    case TBM_SETTICFREQ: slider->SetTickFreq((int)wParam); return 0;
    case TBM_SETPAGESIZE: {
        int old = slider->GetPageSize();
        slider->SetPageSize((int)lParam);
        return old;
    }
    case TBM_GETPAGESIZE: return slider->GetPageSize();
    case TBM_SETLINESIZE: {
        int old = slider->GetLineSize();
        slider->SetLineSize((int)lParam);
        return old;
    }
    case TBM_GETLINESIZE: return slider->GetLineSize();
    }
    return NativeDefault(h, message, wParam, lParam);
}
