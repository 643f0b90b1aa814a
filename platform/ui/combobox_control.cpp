// The combo box class: drop-down lists as toolkit choices, editable ones as toolkit combo boxes, with the CB_ messages.

#include "ui/wx_windows.h"

namespace {

struct ComboData {
    std::vector<std::string> texts;
    std::vector<LPARAM> data;
    int itemHeight = 16;
    bool dropped = false;
};

ComboData& DataOf(WindowState* s)
{
    if (!s->extra)
        s->extra = std::make_shared<ComboData>();
    return *static_cast<ComboData*>(s->extra.get());
}

wxItemContainer* ItemsOf(WindowState* s)
{
    if (auto* c = dynamic_cast<wxChoice*>(s->native))
        return c;
    if (auto* c = dynamic_cast<wxComboBox*>(s->native))
        return c;
    return nullptr;
}

bool LessNoCase(const std::string& a, const std::string& b)
{
    return wxString::FromUTF8(a).CmpNoCase(wxString::FromUTF8(b)) < 0;
}

int Count(WindowState* s) { return (int)DataOf(s).texts.size(); }

int Find(WindowState* s, int after, const char* text, bool exact)
{
    ComboData& d = DataOf(s);
    int n = (int)d.texts.size();
    wxString want = wxString::FromUTF8(text ? text : "").Lower();
    for (int k = 1; k <= n; ++k) {
        int i = after < 0 ? k - 1 : (after + k) % n;
        wxString item = wxString::FromUTF8(d.texts[i]).Lower();
        if (exact ? item == want : item.StartsWith(want))
            return i;
    }
    return CB_ERR;
}

int Selection(WindowState* s)
{
    wxItemContainer* items = ItemsOf(s);
    int sel = items ? items->GetSelection() : wxNOT_FOUND;
    return sel == wxNOT_FOUND ? CB_ERR : sel;
}

void Select(WindowState* s, int i)
{
    if (auto* c = dynamic_cast<wxChoice*>(s->native))
        c->SetSelection(i < 0 ? wxNOT_FOUND : i);
    else if (auto* c = dynamic_cast<wxComboBox*>(s->native)) {
        if (i < 0) {
            c->SetSelection(wxNOT_FOUND);
            c->ChangeValue(wxEmptyString);
        } else {
            c->SetSelection(i);
        }
    }
}

}  // namespace

wxWindow* CreateComboBoxControl(WindowState* s, wxWindow* parent, const wxRect& rect)
{
    HWND h = s->hwnd;
    DWORD kind = s->style & 3;
    // The rectangle of a combo box includes its dropped list; the field itself takes the usual height.
    wxRect field = rect;
    wxWindow* w;
    if (kind == CBS_DROPDOWNLIST) {
        auto* c = new wxChoice(parent, wxID_ANY, field.GetPosition(), wxDefaultSize);
        c->Bind(wxEVT_CHOICE, [h](wxCommandEvent&) {
            if (WindowState* st = StateOf(h)) {
                NotifyParent(st, CBN_SELENDOK);
                NotifyParent(StateOf(h), CBN_SELCHANGE);
            }
        });
        w = c;
    } else {
        long style = kind == CBS_SIMPLE ? wxCB_SIMPLE : wxCB_DROPDOWN;
        auto* c = new wxComboBox(parent, wxID_ANY, wxString::FromUTF8(s->text), field.GetPosition(), wxDefaultSize, 0,
                                 nullptr, style);
        c->Bind(wxEVT_COMBOBOX, [h](wxCommandEvent&) {
            if (WindowState* st = StateOf(h)) {
                NotifyParent(st, CBN_SELENDOK);
                NotifyParent(StateOf(h), CBN_SELCHANGE);
            }
        });
        c->Bind(wxEVT_TEXT, [h](wxCommandEvent&) {
            if (WindowState* st = StateOf(h)) {
                NotifyParent(st, CBN_EDITUPDATE);
                NotifyParent(StateOf(h), CBN_EDITCHANGE);
            }
        });
        c->Bind(wxEVT_COMBOBOX_DROPDOWN, [h](wxCommandEvent&) {
            if (WindowState* st = StateOf(h)) {
                DataOf(st).dropped = true;
                NotifyParent(st, CBN_DROPDOWN);
            }
        });
        c->Bind(wxEVT_COMBOBOX_CLOSEUP, [h](wxCommandEvent&) {
            if (WindowState* st = StateOf(h)) {
                DataOf(st).dropped = false;
                NotifyParent(st, CBN_CLOSEUP);
            }
        });
        w = c;
    }
    int height = w->GetBestSize().y;
    w->SetSize(field.x, field.y, field.width, height);
    return w;
}

LRESULT CALLBACK ComboBoxProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(h);
    if (!s)
        return 0;
    wxItemContainer* items = ItemsOf(s);
    if (!items)
        return NativeDefault(h, message, wParam, lParam);
    ComboData& d = DataOf(s);
    switch (message) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
        std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        int at = message == CB_INSERTSTRING ? (int)wParam : -1;
        if (message == CB_ADDSTRING && (s->style & CBS_SORT))
            at = (int)(std::upper_bound(d.texts.begin(), d.texts.end(), text, LessNoCase) - d.texts.begin());
        if (at < 0 || at > Count(s))
            at = Count(s);
        d.texts.insert(d.texts.begin() + at, text);
        d.data.insert(d.data.begin() + at, 0);
        items->Insert(wxString::FromUTF8(text), (unsigned)at);
        return at;
    }
    case CB_DELETESTRING: {
        int i = (int)wParam;
        if (i < 0 || i >= Count(s))
            return CB_ERR;
        d.texts.erase(d.texts.begin() + i);
        d.data.erase(d.data.begin() + i);
        items->Delete((unsigned)i);
        return Count(s);
    }
    case CB_RESETCONTENT:
        d.texts.clear();
        d.data.clear();
        items->Clear();
        return CB_OKAY;
    case CB_GETCOUNT: return Count(s);
    case CB_GETCURSEL: return Selection(s);
    case CB_SETCURSEL: {
        int i = (int)wParam;
        if (i >= Count(s) || i < 0) {
            Select(s, -1);
            return CB_ERR;
        }
        Select(s, i);
        return i;
    }
    case CB_GETLBTEXT: {
        int i = (int)wParam;
        if (i < 0 || i >= Count(s) || !lParam)
            return CB_ERR;
        std::copy(d.texts[i].begin(), d.texts[i].end(), reinterpret_cast<char*>(lParam));
        reinterpret_cast<char*>(lParam)[d.texts[i].size()] = 0;
        return (LRESULT)d.texts[i].size();
    }
    case CB_GETLBTEXTLEN: {
        int i = (int)wParam;
        return (i < 0 || i >= Count(s)) ? CB_ERR : (LRESULT)d.texts[i].size();
    }
    case CB_GETITEMDATA: {
        int i = (int)wParam;
        return (i < 0 || i >= Count(s)) ? CB_ERR : d.data[i];
    }
    case CB_SETITEMDATA: {
        int i = (int)wParam;
        if (i < 0 || i >= Count(s))
            return CB_ERR;
        d.data[i] = lParam;
        return CB_OKAY;
    }
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
        return Find(s, (int)wParam, reinterpret_cast<const char*>(lParam), message == CB_FINDSTRINGEXACT);
    case CB_SELECTSTRING: {
        int i = Find(s, (int)wParam, reinterpret_cast<const char*>(lParam), false);
        if (i != CB_ERR)
            Select(s, i);
        return i;
    }
    case CB_SHOWDROPDOWN:
        if (auto* c = dynamic_cast<wxComboBox*>(s->native))
            wParam ? c->Popup() : c->Dismiss();
        return TRUE;
    case CB_GETDROPPEDSTATE: return d.dropped;
    case CB_GETTOPINDEX: return 0;
    case CB_SETTOPINDEX: return (int)wParam < Count(s) ? 0 : CB_ERR;
    case CB_GETITEMHEIGHT: return d.itemHeight;
    case CB_SETITEMHEIGHT: d.itemHeight = (int)lParam; return 0;
    case CB_LIMITTEXT:
        if (auto* c = dynamic_cast<wxComboBox*>(s->native))
            c->SetMaxLength((unsigned long)wParam);
        return TRUE;
    case CB_GETEDITSEL:
        if (auto* c = dynamic_cast<wxComboBox*>(s->native)) {
            long from, to;
            c->GetSelection(&from, &to);
            return MAKELRESULT(from, to);
        }
        return CB_ERR;
    case CB_SETEDITSEL:
        if (auto* c = dynamic_cast<wxComboBox*>(s->native)) {
            c->SetSelection((short)LOWORD(lParam), (short)HIWORD(lParam));
            return TRUE;
        }
        return CB_ERR;
    case CB_GETDROPPEDCONTROLRECT:
        if (lParam)
            GetWindowRect(h, reinterpret_cast<RECT*>(lParam));
        return CB_OKAY;
    case WM_SETTEXT:
        DefWindowProc(h, message, wParam, lParam);
        if (auto* c = dynamic_cast<wxComboBox*>(s->native))
            c->ChangeValue(wxString::FromUTF8(s->text));
        return TRUE;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
        std::string v;
        if (auto* c = dynamic_cast<wxComboBox*>(s->native))
            v = std::string(c->GetValue().utf8_str());
        else if (int sel = Selection(s); sel >= 0)
            v = d.texts[sel];
        if (message == WM_GETTEXTLENGTH)
            return (LRESULT)v.size();
        return CopyWindowText(v, wParam, lParam);
    }
    case WM_SETFOCUS: NotifyParent(s, CBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: NotifyParent(s, CBN_KILLFOCUS); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    }
    return NativeDefault(h, message, wParam, lParam);
}
