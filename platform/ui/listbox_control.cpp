// The list box class: plain list boxes as toolkit lists, owner-drawn ones painted by their parent item by item.

#include "ui/wx_windows.h"

namespace {

struct ListData {
    std::vector<std::string> texts;
    std::vector<LPARAM> data;
    int itemHeight = 16;
    bool ownerDrawn = false;
};

ListData& DataOf(WindowState* s)
{
    if (!s->extra)
        s->extra = std::make_shared<ListData>();
    return *static_cast<ListData*>(s->extra.get());
}

bool LessNoCase(const std::string& a, const std::string& b)
{
    return wxString::FromUTF8(a).CmpNoCase(wxString::FromUTF8(b)) < 0;
}

// An owner-drawn list: every row is drawn by the parent through WM_DRAWITEM into a row surface.
class OwnerDrawList : public wxVListBox {
public:
    OwnerDrawList(wxWindow* parent, HWND h, const wxRect& r, long style)
        : wxVListBox(parent, wxID_ANY, r.GetPosition(), r.GetSize(), style), m_hwnd(h)
    {
    }

private:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override
    {
        WindowState* s = StateOf(m_hwnd);
        if (!s || rect.width <= 0 || rect.height <= 0)
            return;
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = rect.width;
        bi.bmiHeader.biHeight = -rect.height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, bmp);
        SetViewportOrgEx(mem, -rect.x, -rect.y, nullptr);
        SelectObject(mem, s->font ? s->font : DefaultGuiFont());
        ListData& d = DataOf(s);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTBOX;
        dis.CtlID = (UINT)s->id;
        dis.itemID = (UINT)n;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (IsSelected(n) ? ODS_SELECTED : 0) | (IsCurrent(n) && HasFocus() ? ODS_FOCUS : 0) |
                        ((s->style & WS_DISABLED) ? ODS_DISABLED : 0);
        dis.hwndItem = m_hwnd;
        dis.hDC = mem;
        dis.rcItem = RECT{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
        dis.itemData = n < d.data.size() ? (ULONG_PTR)d.data[n] : 0;
        SendMessage(s->parent, WM_DRAWITEM, (WPARAM)s->id, (LPARAM)&dis);
        wxImage img(rect.width, rect.height, false);
        unsigned char* out = img.GetData();
        const uint8_t* src = static_cast<const uint8_t*>(bits);
        for (int i = 0; i < rect.width * rect.height; ++i, src += 4, out += 3) {
            out[0] = src[2];
            out[1] = src[1];
            out[2] = src[0];
        }
        dc.DrawBitmap(wxBitmap(img), rect.x, rect.y, false);
        SelectObject(mem, old);
        DeleteDC(mem);
        DeleteObject(bmp);
    }

    wxCoord OnMeasureItem(size_t) const override
    {
        WindowState* s = StateOf(m_hwnd);
        return s ? DataOf(s).itemHeight : 16;
    }

    void OnDrawBackground(wxDC&, const wxRect&, size_t) const override {}

    HWND m_hwnd;
};

wxListBox* PlainOf(WindowState* s) { return dynamic_cast<wxListBox*>(s->native); }
OwnerDrawList* DrawnOf(WindowState* s) { return dynamic_cast<OwnerDrawList*>(s->native); }

int Count(WindowState* s) { return (int)DataOf(s).texts.size(); }

int Insert(WindowState* s, int at, const std::string& text, LPARAM data)
{
    ListData& d = DataOf(s);
    if (at < 0 || at > (int)d.texts.size())
        at = (int)d.texts.size();
    d.texts.insert(d.texts.begin() + at, text);
    d.data.insert(d.data.begin() + at, data);
    if (wxListBox* l = PlainOf(s))
        l->Insert(wxString::FromUTF8(text), (unsigned)at);
    else if (OwnerDrawList* o = DrawnOf(s)) {
        o->SetItemCount(d.texts.size());
        o->Refresh();
    }
    return at;
}

int Selection(WindowState* s)
{
    if (wxListBox* l = PlainOf(s))
        return l->GetSelection();
    if (OwnerDrawList* o = DrawnOf(s))
        return o->GetSelection();
    return -1;
}

void Select(WindowState* s, int index)
{
    if (wxListBox* l = PlainOf(s)) {
        if (index < 0)
            l->SetSelection(wxNOT_FOUND);
        else
            l->SetSelection(index);
    } else if (OwnerDrawList* o = DrawnOf(s)) {
        o->SetSelection(index);
    }
}

int Find(WindowState* s, int after, const char* text, bool exact)
{
    ListData& d = DataOf(s);
    int n = (int)d.texts.size();
    wxString want = wxString::FromUTF8(text ? text : "").Lower();
    for (int k = 1; k <= n; ++k) {
        int i = (after + k) % n;
        if (after < 0)
            i = k - 1;
        wxString item = wxString::FromUTF8(d.texts[i]).Lower();
        if (exact ? item == want : item.StartsWith(want))
            return i;
    }
    return LB_ERR;
}

}  // namespace

wxWindow* CreateListBoxControl(WindowState* s, wxWindow* parent, const wxRect& rect)
{
    long border = (s->exStyle & WS_EX_CLIENTEDGE) ? wxBORDER_SUNKEN
                  : (s->style & WS_BORDER)        ? wxBORDER_SIMPLE
                                                  : wxBORDER_NONE;
    long multi = (s->style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) ? wxLB_MULTIPLE : 0;
    HWND h = s->hwnd;
    ListData& d = DataOf(s);
    wxWindow* w;
    if (s->style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) {
        d.ownerDrawn = true;
        MEASUREITEMSTRUCT mis{ODT_LISTBOX, (UINT)s->id, 0, (UINT)rect.width, 16, 0};
        SendMessage(s->parent, WM_MEASUREITEM, (WPARAM)s->id, (LPARAM)&mis);
        if ((s = StateOf(h)) == nullptr)
            return nullptr;
        DataOf(s).itemHeight = (int)mis.itemHeight;
        auto* o = new OwnerDrawList(parent, h, rect, border | (multi ? wxLB_MULTIPLE : 0));
        o->SetItemCount(0);
        w = o;
    } else {
        w = new wxListBox(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), 0, nullptr,
                          border | (multi ? wxLB_MULTIPLE : wxLB_SINGLE) | wxLB_NEEDED_SB);
    }
    w->Bind(wxEVT_LISTBOX, [h](wxCommandEvent&) {
        WindowState* st = StateOf(h);
        if (st && (st->style & LBS_NOTIFY))
            NotifyParent(st, LBN_SELCHANGE);
    });
    w->Bind(wxEVT_LISTBOX_DCLICK, [h](wxCommandEvent&) {
        WindowState* st = StateOf(h);
        if (st && (st->style & LBS_NOTIFY))
            NotifyParent(st, LBN_DBLCLK);
    });
    return w;
}

LRESULT CALLBACK ListBoxProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(h);
    if (!s || !s->native)
        return s ? NativeDefault(h, message, wParam, lParam) : 0;
    ListData& d = DataOf(s);
    bool hasStrings = !d.ownerDrawn || (s->style & LBS_HASSTRINGS);
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        std::string text = hasStrings && lParam ? reinterpret_cast<const char*>(lParam) : "";
        LPARAM data = hasStrings ? 0 : lParam;
        int at = message == LB_INSERTSTRING ? (int)wParam : -1;
        if (message == LB_ADDSTRING && (s->style & LBS_SORT) && hasStrings)
            at = (int)(std::upper_bound(d.texts.begin(), d.texts.end(), text, LessNoCase) - d.texts.begin());
        return Insert(s, at, text, data);
    }
    case LB_DELETESTRING: {
        int i = (int)wParam;
        if (i < 0 || i >= Count(s))
            return LB_ERR;
        d.texts.erase(d.texts.begin() + i);
        d.data.erase(d.data.begin() + i);
        if (wxListBox* l = PlainOf(s))
            l->Delete((unsigned)i);
        else if (OwnerDrawList* o = DrawnOf(s)) {
            o->SetItemCount(d.texts.size());
            o->Refresh();
        }
        return Count(s);
    }
    case LB_RESETCONTENT:
        d.texts.clear();
        d.data.clear();
        if (wxListBox* l = PlainOf(s))
            l->Clear();
        else if (OwnerDrawList* o = DrawnOf(s)) {
            o->SetItemCount(0);
            o->Refresh();
        }
        return 0;
    case LB_GETCOUNT: return Count(s);
    case LB_GETCURSEL: return Selection(s);
    case LB_SETCURSEL: {
        int i = (int)wParam;
        if (i >= Count(s))
            return LB_ERR;
        Select(s, i);
        return i < 0 ? LB_ERR : i;
    }
    case LB_GETSEL: {
        int i = (int)wParam;
        if (i < 0 || i >= Count(s))
            return LB_ERR;
        if (wxListBox* l = PlainOf(s))
            return l->IsSelected(i);
        return DrawnOf(s)->IsSelected(i);
    }
    case LB_SETSEL:
        if (wxListBox* l = PlainOf(s)) {
            if ((int)lParam < 0) {
                for (int i = 0; i < Count(s); ++i)
                    wParam ? l->SetSelection(i) : l->Deselect(i);
            } else if (wParam) {
                l->SetSelection((int)lParam);
            } else {
                l->Deselect((int)lParam);
            }
        }
        return 0;
    case LB_GETSELCOUNT:
        if (wxListBox* l = PlainOf(s)) {
            wxArrayInt sel;
            return l->GetSelections(sel);
        }
        return Selection(s) >= 0 ? 1 : 0;
    case LB_GETTEXT: {
        int i = (int)wParam;
        if (i < 0 || i >= Count(s) || !lParam)
            return LB_ERR;
        if (!hasStrings) {
            *reinterpret_cast<LPARAM*>(lParam) = d.data[i];
            return sizeof(LPARAM);
        }
        std::copy(d.texts[i].begin(), d.texts[i].end(), reinterpret_cast<char*>(lParam));
        reinterpret_cast<char*>(lParam)[d.texts[i].size()] = 0;
        return (LRESULT)d.texts[i].size();
    }
    case LB_GETTEXTLEN: {
        int i = (int)wParam;
        return (i < 0 || i >= Count(s)) ? LB_ERR : (LRESULT)d.texts[i].size();
    }
    case LB_GETITEMDATA: {
        int i = (int)wParam;
        return (i < 0 || i >= Count(s)) ? LB_ERR : d.data[i];
    }
    case LB_SETITEMDATA: {
        int i = (int)wParam;
        if (i < 0 || i >= Count(s))
            return LB_ERR;
        d.data[i] = lParam;
        return 0;
    }
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        return Find(s, (int)wParam, reinterpret_cast<const char*>(lParam), message == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
        int i = Find(s, (int)wParam, reinterpret_cast<const char*>(lParam), false);
        if (i != LB_ERR)
            Select(s, i);
        return i;
    }
    case LB_GETTOPINDEX:
        if (OwnerDrawList* o = DrawnOf(s))
            return (LRESULT)o->GetVisibleRowsBegin();
        return 0;
    case LB_SETTOPINDEX:
        if ((int)wParam < 0 || (int)wParam >= std::max(Count(s), 1))
            return LB_ERR;
        if (OwnerDrawList* o = DrawnOf(s))
            o->ScrollToRow((size_t)wParam);
        else if (wxListBox* l = PlainOf(s); l && Count(s) > 0)
            l->SetFirstItem((int)wParam);
        return 0;
    case LB_GETITEMHEIGHT: return d.itemHeight;
    case LB_SETITEMHEIGHT:
        d.itemHeight = (int)LOWORD(lParam);
        if (OwnerDrawList* o = DrawnOf(s))
            o->RefreshAll();
        return 0;
    case LB_GETITEMRECT: {
        int i = (int)wParam;
        if (i < 0 || i >= Count(s) || !lParam)
            return LB_ERR;
        RECT r;
        GetClientRect(h, &r);
        int top = 0;
        if (OwnerDrawList* o = DrawnOf(s))
            top = (int)o->GetVisibleRowsBegin();
        *reinterpret_cast<RECT*>(lParam) = RECT{0, (i - top) * d.itemHeight, r.right, (i - top + 1) * d.itemHeight};
        return 0;
    }
    case LB_ITEMFROMPOINT: {
        int y = GET_Y_LPARAM(lParam);
        if (OwnerDrawList* o = DrawnOf(s)) {
            int row = o->VirtualHitTest(y);
            return row < 0 ? MAKELRESULT(Count(s) ? Count(s) - 1 : 0, 1) : MAKELRESULT(row, 0);
        }
        if (wxListBox* l = PlainOf(s)) {
            int row = l->HitTest(wxPoint(GET_X_LPARAM(lParam), y));
            return row < 0 ? MAKELRESULT(0, 1) : MAKELRESULT(row, 0);
        }
        return MAKELRESULT(0, 1);
    }
    case LB_GETCARETINDEX: return Selection(s);
    case LB_SETCARETINDEX: return 0;
    case WM_SETFOCUS:
        if (s->style & LBS_NOTIFY)
            NotifyParent(s, LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if (s->style & LBS_NOTIFY)
            NotifyParent(s, LBN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    }
    return NativeDefault(h, message, wParam, lParam);
}
