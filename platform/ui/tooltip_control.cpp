// The tooltip class: each tool's text shown by the toolkit over the tool's window or rectangle.
#include "ui/wx_windows.h"

#include "ui/commctrl.h"

namespace {

struct Tool {
    HWND window;  // the window that shows the tip
    UINT_PTR id;
    UINT flags;
    RECT rect;
    std::string text;
};

struct TipData {
    std::vector<Tool> tools;
    bool active = true;
};

TipData& DataOf(WindowState* s)
{
    if (!s->extra)
        s->extra = std::make_shared<TipData>();
    return *static_cast<TipData*>(s->extra.get());
}

wxWindow* WxOf(HWND h)
{
    WindowState* s = StateOf(h);
    return s ? (s->surface ? static_cast<wxWindow*>(s->surface) : s->outer) : nullptr;
}

HWND WindowOfTool(const TOOLINFO* ti)
{
    return (ti->uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(ti->uId) : ti->hwnd;
}

Tool* FindTool(TipData& d, const TOOLINFO* ti)
{
    for (Tool& t : d.tools)
        if (t.window == WindowOfTool(ti) && t.id == ti->uId)
            return &t;
    return nullptr;
}

// Shows the text of the tool under the pointer; tools of a whole window always match.
void ShowTipAt(HWND tip, HWND window, wxPoint p)
{
    WindowState* s = StateOf(tip);
    wxWindow* w = WxOf(window);
    if (!s || !w)
        return;
    TipData& d = DataOf(s);
    wxString text;
    for (const Tool& t : d.tools) {
        if (t.window != window)
            continue;
        bool whole = (t.flags & TTF_IDISHWND) != 0;
        if (whole || (p.x >= t.rect.left && p.x < t.rect.right && p.y >= t.rect.top && p.y < t.rect.bottom)) {
            text = wxString::FromUTF8(t.text);
            break;
        }
    }
    if (!d.active || text.empty())
        w->UnsetToolTip();
    else if (!w->GetToolTip() || w->GetToolTipText() != text)
        w->SetToolTip(text);
}

void Track(HWND tip, HWND window)
{
    wxWindow* w = WxOf(window);
    if (!w)
        return;
    w->Bind(wxEVT_MOTION, [tip, window](wxMouseEvent& e) {
        if (IsWindow(tip))
            ShowTipAt(tip, window, e.GetPosition());
        e.Skip();
    });
}

}  // namespace

LRESULT CALLBACK ToolTipProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(h);
    if (!s)
        return 0;
    TipData& d = DataOf(s);
    auto* ti = reinterpret_cast<TOOLINFO*>(lParam);
    switch (message) {
    case TTM_ADDTOOL: {
        if (!ti)
            return FALSE;
        Tool t{WindowOfTool(ti), ti->uId, ti->uFlags, ti->rect,
               ti->lpszText && ti->lpszText != LPSTR_TEXTCALLBACK && !IS_INTRESOURCE(ti->lpszText) ? ti->lpszText : ""};
        bool known = std::any_of(d.tools.begin(), d.tools.end(), [&](const Tool& o) { return o.window == t.window; });
        d.tools.push_back(t);
        if (!known)
            Track(h, t.window);
        ShowTipAt(h, t.window, wxPoint(-1, -1));
        return TRUE;
    }
    case TTM_DELTOOL:
        if (ti) {
            HWND w = WindowOfTool(ti);
            std::erase_if(d.tools, [&](const Tool& t) { return t.window == w && t.id == ti->uId; });
            if (wxWindow* wx = WxOf(w))
                wx->UnsetToolTip();
        }
        return 0;
    case TTM_UPDATETIPTEXT:
    case TTM_SETTOOLINFO:
        if (ti)
            if (Tool* t = FindTool(d, ti)) {
                std::string text = ti->lpszText && ti->lpszText != LPSTR_TEXTCALLBACK ? ti->lpszText : "";
                // Tools refresh their text on every mouse move: an unchanged text keeps the shown tip up.
                bool changed = text != t->text;
                t->text = text;
                if (message == TTM_SETTOOLINFO)
                    t->rect = ti->rect;
                if (wxWindow* w = WxOf(t->window); w && changed)
                    w->UnsetToolTip();
            }
        return 0;
    case TTM_NEWTOOLRECT:
        if (ti)
            if (Tool* t = FindTool(d, ti))
                t->rect = ti->rect;
        return 0;
    case TTM_GETTOOLCOUNT: return (LRESULT)d.tools.size();
    case TTM_ACTIVATE:
        d.active = wParam != 0;
        for (const Tool& t : d.tools)
            if (wxWindow* w = WxOf(t.window); w && !d.active)
                w->UnsetToolTip();
        return 0;
    case TTM_SETDELAYTIME:
        if (wParam == TTDT_INITIAL || wParam == TTDT_AUTOMATIC)
            wxToolTip::SetDelay((long)(short)LOWORD(lParam) < 0 ? 500 : (long)LOWORD(lParam));
        else if (wParam == TTDT_AUTOPOP)
            wxToolTip::SetAutoPop((long)LOWORD(lParam));
        else if (wParam == TTDT_RESHOW)
            wxToolTip::SetReshow((long)LOWORD(lParam));
        return 0;
    case TTM_SETMAXTIPWIDTH:
    case TTM_RELAYEVENT:
    case TTM_SETTIPBKCOLOR:
    case TTM_SETTIPTEXTCOLOR:
    case TTM_POP:
    case TTM_UPDATE: return 0;
    }
    return DefWindowProc(h, message, wParam, lParam);
}
