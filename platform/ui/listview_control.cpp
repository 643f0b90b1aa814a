// The list view class in report view: columns, items, sub-items, states and the list view notifications.
#include "ui/wx_windows.h"

#include "ui/commctrl.h"

namespace {

struct ListViewData {
    DWORD exStyle = 0;
    int selectionMark = -1;
    HIMAGELIST images[3] = {};
};

ListViewData& DataOf(WindowState* s)
{
    if (!s->extra)
        s->extra = std::make_shared<ListViewData>();
    return *static_cast<ListViewData*>(s->extra.get());
}

wxListCtrl* ListOf(WindowState* s) { return dynamic_cast<wxListCtrl*>(s->native); }

std::string Utf8(const wxString& s) { return std::string(s.utf8_str()); }

UINT StateOfItem(wxListCtrl* l, int i)
{
    UINT st = 0;
    int wx = l->GetItemState(i, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    if (wx & wxLIST_STATE_SELECTED)
        st |= LVIS_SELECTED;
    if (wx & wxLIST_STATE_FOCUSED)
        st |= LVIS_FOCUSED;
    return st;
}

void SetStateOfItem(wxListCtrl* l, int i, UINT state, UINT mask)
{
    long wxMask = 0, wxState = 0;
    if (mask & LVIS_SELECTED) {
        wxMask |= wxLIST_STATE_SELECTED;
        if (state & LVIS_SELECTED)
            wxState |= wxLIST_STATE_SELECTED;
    }
    if (mask & LVIS_FOCUSED) {
        wxMask |= wxLIST_STATE_FOCUSED;
        if (state & LVIS_FOCUSED)
            wxState |= wxLIST_STATE_FOCUSED;
    }
    if (wxMask)
        l->SetItemState(i, wxState, wxMask);
}

// Item and sub-item under a point of the control's client area.
int HitTest(wxListCtrl* l, POINT pt, int* subItem, UINT* flags)
{
    int wxFlags = 0;
    long col = -1;
    // The toolkit hit-tests in the coordinates of the rows' own window, below the header.
    wxPoint at(pt.x, pt.y);
    wxWindow* rows = nullptr;
    for (wxWindow* c : l->GetChildren())
        if (!rows || c->GetSize().y > rows->GetSize().y)
            rows = c;
    if (rows)
        at = rows->ScreenToClient(l->ClientToScreen(at));
    long item = l->HitTest(at, wxFlags, &col);
    if (subItem)
        *subItem = item >= 0 ? (int)std::max<long>(col, 0) : -1;
    if (flags)
        *flags = item >= 0 ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
    if (item >= 0 && subItem && col < 0) {
        // Find the column by the x position when the toolkit does not say.
        int x = pt.x, left = 0;
        for (int c = 0; c < l->GetColumnCount(); ++c) {
            int w = l->GetColumnWidth(c);
            if (x >= left && x < left + w) {
                *subItem = c;
                break;
            }
            left += w;
        }
    }
    return (int)item;
}

void NotifyClick(HWND h, UINT code, LPARAM lParam)
{
    WindowState* s = StateOf(h);
    wxListCtrl* l = s ? ListOf(s) : nullptr;
    if (!l)
        return;
    NMITEMACTIVATE nm{};
    nm.ptAction = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    nm.iItem = HitTest(l, nm.ptAction, &nm.iSubItem, nullptr);
    if (nm.iItem < 0)
        nm.iSubItem = -1;
    nm.uKeyFlags = 0;
    SendNotify(h, nm.hdr, code);
}

int FindItem(wxListCtrl* l, int start, const LVFINDINFO* fi)
{
    int n = l->GetItemCount();
    if (!fi || n == 0)
        return -1;
    wxString want =
        (fi->flags & (LVFI_STRING | LVFI_PARTIAL)) ? wxString::FromUTF8(fi->psz ? fi->psz : "").Lower() : "";
    for (int k = 0; k < n; ++k) {
        int i = start + 1 + k;
        if (i >= n) {
            if (!(fi->flags & LVFI_WRAP))
                break;
            i -= n;
        }
        if (fi->flags & LVFI_PARAM) {
            if ((LPARAM)l->GetItemData(i) == fi->lParam)
                return i;
            continue;
        }
        wxString text = l->GetItemText(i).Lower();
        if ((fi->flags & LVFI_PARTIAL) ? text.StartsWith(want) : text == want)
            return i;
    }
    return -1;
}

}  // namespace

wxWindow* CreateListViewControl(WindowState* s, wxWindow* parent, const wxRect& rect)
{
    long style = wxLC_REPORT;
    if (s->style & LVS_SINGLESEL)
        style |= wxLC_SINGLE_SEL;
    if (s->style & LVS_NOCOLUMNHEADER)
        style |= wxLC_NO_HEADER;
    style |= (s->exStyle & WS_EX_CLIENTEDGE) ? wxBORDER_SUNKEN
             : (s->style & WS_BORDER)        ? wxBORDER_SIMPLE
                                             : wxBORDER_NONE;
    auto* l = new wxListCtrl(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), style);
    HWND h = s->hwnd;
    auto changed = [h](wxListEvent& e, bool selected) {
        NMLISTVIEW nm{};
        nm.iItem = (int)e.GetIndex();
        nm.iSubItem = 0;
        nm.uChanged = LVIF_STATE;
        nm.uNewState = selected ? LVIS_SELECTED : 0;
        nm.uOldState = selected ? 0 : LVIS_SELECTED;
        if (WindowState* st = StateOf(h))
            if (wxListCtrl* lc = ListOf(st); lc && nm.iItem >= 0 && nm.iItem < lc->GetItemCount())
                nm.lParam = (LPARAM)lc->GetItemData(nm.iItem);
        SendNotify(h, nm.hdr, LVN_ITEMCHANGED);
    };
    l->Bind(wxEVT_LIST_ITEM_SELECTED, [changed](wxListEvent& e) { changed(e, true); });
    l->Bind(wxEVT_LIST_ITEM_DESELECTED, [changed](wxListEvent& e) { changed(e, false); });
    l->Bind(wxEVT_LIST_COL_CLICK, [h](wxListEvent& e) {
        NMLISTVIEW nm{};
        nm.iItem = -1;
        nm.iSubItem = e.GetColumn();
        SendNotify(h, nm.hdr, LVN_COLUMNCLICK);
    });
    l->Bind(wxEVT_LIST_BEGIN_DRAG, [h](wxListEvent& e) {
        NMLISTVIEW nm{};
        nm.iItem = (int)e.GetIndex();
        nm.ptAction = POINT{e.GetPoint().x, e.GetPoint().y};
        SendNotify(h, nm.hdr, LVN_BEGINDRAG);
    });
    l->Bind(wxEVT_LIST_KEY_DOWN, [h](wxListEvent& e) {
        NMLVKEYDOWN nm{};
        nm.wVKey = (WORD)VirtualKeyOf(e.GetKeyCode());
        SendNotify(h, nm.hdr, LVN_KEYDOWN);
        e.Skip();
    });
    return l;
}

LRESULT OwnerDrawnListViewProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK ListViewProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(h);
    if (!s)
        return 0;
    if (s->surface)
        return OwnerDrawnListViewProc(h, message, wParam, lParam);
    wxListCtrl* l = ListOf(s);
    if (!l)
        return NativeDefault(h, message, wParam, lParam);
    switch (message) {
    case LVM_INSERTCOLUMN: {
        auto* c = reinterpret_cast<const LVCOLUMN*>(lParam);
        if (!c)
            return -1;
        wxListColumnFormat fmt = (c->mask & LVCF_FMT) && (c->fmt & 3) == LVCFMT_RIGHT    ? wxLIST_FORMAT_RIGHT
                                 : (c->mask & LVCF_FMT) && (c->fmt & 3) == LVCFMT_CENTER ? wxLIST_FORMAT_CENTRE
                                                                                         : wxLIST_FORMAT_LEFT;
        wxString text = (c->mask & LVCF_TEXT) && c->pszText ? wxString::FromUTF8(c->pszText) : wxString();
        int width = (c->mask & LVCF_WIDTH) ? c->cx : wxLIST_AUTOSIZE;
        return l->InsertColumn((long)wParam, text, fmt, width);
    }
    case LVM_DELETECOLUMN: return l->DeleteColumn((int)wParam);
    case LVM_GETCOLUMNWIDTH: return l->GetColumnWidth((int)wParam);
    case LVM_SETCOLUMNWIDTH: {
        int w = (short)LOWORD(lParam);
        return l->SetColumnWidth((int)wParam, w == LVSCW_AUTOSIZE             ? wxLIST_AUTOSIZE
                                              : w == LVSCW_AUTOSIZE_USEHEADER ? wxLIST_AUTOSIZE_USEHEADER
                                                                              : w);
    }
    case LVM_SETCOLUMN:
    case LVM_GETCOLUMN: {
        auto* c = reinterpret_cast<LVCOLUMN*>(lParam);
        if (!c || (int)wParam >= l->GetColumnCount())
            return FALSE;
        wxListItem col;
        l->GetColumn((int)wParam, col);
        if (message == LVM_GETCOLUMN) {
            if (c->mask & LVCF_WIDTH)
                c->cx = l->GetColumnWidth((int)wParam);
            if ((c->mask & LVCF_TEXT) && c->pszText && c->cchTextMax > 0) {
                std::string t = Utf8(col.GetText()).substr(0, (size_t)c->cchTextMax - 1);
                std::copy(t.begin(), t.end(), c->pszText);
                c->pszText[t.size()] = 0;
            }
            return TRUE;
        }
        if ((c->mask & LVCF_TEXT) && c->pszText)
            col.SetText(wxString::FromUTF8(c->pszText));
        if (c->mask & LVCF_WIDTH)
            col.SetWidth(c->cx);
        l->SetColumn((int)wParam, col);
        return TRUE;
    }
    case LVM_GETITEMCOUNT: return l->GetItemCount();
    case LVM_INSERTITEM: {
        auto* it = reinterpret_cast<const LVITEM*>(lParam);
        if (!it)
            return -1;
        long at = std::clamp<long>(it->iItem, 0, l->GetItemCount());
        wxString text = (it->mask & LVIF_TEXT) && it->pszText && it->pszText != LPSTR_TEXTCALLBACK
                            ? wxString::FromUTF8(it->pszText)
                            : wxString();
        long i = l->InsertItem(at, text);
        if (i >= 0 && (it->mask & LVIF_PARAM))
            l->SetItemPtrData(i, (wxUIntPtr)it->lParam);
        if (i >= 0 && (it->mask & LVIF_STATE))
            SetStateOfItem(l, (int)i, it->state, it->stateMask);
        return i;
    }
    case LVM_SETITEM:
    case LVM_GETITEM: {
        auto* it = reinterpret_cast<LVITEM*>(lParam);
        if (!it || it->iItem < 0 || it->iItem >= l->GetItemCount() || it->iSubItem < 0 ||
            it->iSubItem >= std::max(l->GetColumnCount(), 1))
            return FALSE;
        if (message == LVM_SETITEM) {
            if ((it->mask & LVIF_TEXT) && it->pszText && it->pszText != LPSTR_TEXTCALLBACK)
                l->SetItem(it->iItem, it->iSubItem, wxString::FromUTF8(it->pszText));
            if ((it->mask & LVIF_PARAM) && it->iSubItem == 0)
                l->SetItemPtrData(it->iItem, (wxUIntPtr)it->lParam);
            if (it->mask & LVIF_STATE)
                SetStateOfItem(l, it->iItem, it->state, it->stateMask);
            return TRUE;
        }
        if ((it->mask & LVIF_TEXT) && it->pszText && it->cchTextMax > 0) {
            std::string t = Utf8(l->GetItemText(it->iItem, it->iSubItem)).substr(0, (size_t)it->cchTextMax - 1);
            std::copy(t.begin(), t.end(), it->pszText);
            it->pszText[t.size()] = 0;
        }
        if (it->mask & LVIF_PARAM)
            it->lParam = (LPARAM)l->GetItemData(it->iItem);
        if (it->mask & LVIF_STATE)
            it->state = StateOfItem(l, it->iItem) & it->stateMask;
        return TRUE;
    }
    case LVM_SETITEMTEXT: {
        auto* it = reinterpret_cast<const LVITEM*>(lParam);
        int i = (int)wParam;
        if (!it || i < 0 || i >= l->GetItemCount())
            return FALSE;
        l->SetItem(i, it->iSubItem, wxString::FromUTF8(it->pszText ? it->pszText : ""));
        return TRUE;
    }
    case LVM_GETITEMTEXT: {
        auto* it = reinterpret_cast<LVITEM*>(lParam);
        int i = (int)wParam;
        if (!it || !it->pszText || it->cchTextMax <= 0 || i < 0 || i >= l->GetItemCount())
            return 0;
        std::string t = Utf8(l->GetItemText(i, it->iSubItem)).substr(0, (size_t)it->cchTextMax - 1);
        std::copy(t.begin(), t.end(), it->pszText);
        it->pszText[t.size()] = 0;
        return (LRESULT)t.size();
    }
    case LVM_DELETEITEM:
        if ((int)wParam < 0 || (int)wParam >= l->GetItemCount())
            return FALSE;
        // The toolkit's list, emptied row by row after a multiple selection, keeps a stale row index that the next
        // click on a new row reaches past the end with. Emptied at once, it starts afresh.
        if (l->GetItemCount() == 1)
            return l->DeleteAllItems();
        return l->DeleteItem((long)wParam);
    case LVM_DELETEALLITEMS: return l->DeleteAllItems();
    case LVM_SETITEMSTATE: {
        auto* it = reinterpret_cast<const LVITEM*>(lParam);
        if (!it)
            return FALSE;
        int i = (int)wParam;
        if (i == -1) {
            for (int k = 0; k < l->GetItemCount(); ++k)
                SetStateOfItem(l, k, it->state, it->stateMask);
            return TRUE;
        }
        if (i < 0 || i >= l->GetItemCount())
            return FALSE;
        SetStateOfItem(l, i, it->state, it->stateMask);
        return TRUE;
    }
    case LVM_GETITEMSTATE: {
        int i = (int)wParam;
        if (i < 0 || i >= l->GetItemCount())
            return 0;
        return StateOfItem(l, i) & (UINT)lParam;
    }
    case LVM_GETNEXTITEM: {
        int flags = (int)LOWORD(lParam);
        long state = wxLIST_STATE_DONTCARE;
        if (flags & LVNI_SELECTED)
            state = wxLIST_STATE_SELECTED;
        else if (flags & LVNI_FOCUSED)
            state = wxLIST_STATE_FOCUSED;
        int geometry = (flags & LVNI_ABOVE)   ? wxLIST_NEXT_ABOVE
                       : (flags & LVNI_BELOW) ? wxLIST_NEXT_BELOW
                                              : wxLIST_NEXT_ALL;
        return l->GetNextItem((long)(int)wParam, geometry, state);
    }
    case LVM_GETSELECTEDCOUNT: return l->GetSelectedItemCount();
    case LVM_FINDITEM: return FindItem(l, (int)wParam, reinterpret_cast<const LVFINDINFO*>(lParam));
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
        auto* hit = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (!hit)
            return -1;
        hit->iItem = HitTest(l, hit->pt, &hit->iSubItem, &hit->flags);
        return hit->iItem;
    }
    case LVM_GETITEMRECT:
    case LVM_GETSUBITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        int i = (int)wParam;
        if (!r || i < 0 || i >= l->GetItemCount())
            return FALSE;
        wxRect wr;
        bool ok = message == LVM_GETITEMRECT
                      ? l->GetItemRect(i, wr, r->left == LVIR_LABEL ? wxLIST_RECT_LABEL : wxLIST_RECT_BOUNDS)
                      : l->GetSubItemRect(i, r->top, wr);
        if (!ok)
            return FALSE;
        *r = RECT{wr.x, wr.y, wr.x + wr.width, wr.y + wr.height};
        return TRUE;
    }
    case LVM_ENSUREVISIBLE:
        if ((int)wParam >= 0 && (int)wParam < l->GetItemCount())
            l->EnsureVisible((long)wParam);
        return TRUE;
    case LVM_GETTOPINDEX: return l->GetTopItem();
    case LVM_GETCOUNTPERPAGE: return l->GetCountPerPage();
    case LVM_REDRAWITEMS: l->Refresh(); return TRUE;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        ListViewData& d = DataOf(s);
        DWORD old = d.exStyle;
        DWORD mask = wParam ? (DWORD)wParam : 0xFFFFFFFFu;
        d.exStyle = (d.exStyle & ~mask) | ((DWORD)lParam & mask);
        long fs = l->GetWindowStyleFlag() & ~(wxLC_HRULES | wxLC_VRULES);
        if (d.exStyle & LVS_EX_GRIDLINES)
            fs |= wxLC_HRULES | wxLC_VRULES;
        l->SetWindowStyleFlag(fs);
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return DataOf(s).exStyle;
    case LVM_SETBKCOLOR: l->SetBackgroundColour(WxColour((COLORREF)lParam)); return TRUE;
    case LVM_SETTEXTCOLOR: l->SetTextColour(WxColour((COLORREF)lParam)); return TRUE;
    case LVM_SETTEXTBKCOLOR: return TRUE;
    case LVM_GETSELECTIONMARK: return DataOf(s).selectionMark;
    case LVM_SETSELECTIONMARK: {
        int old = DataOf(s).selectionMark;
        DataOf(s).selectionMark = (int)lParam;
        return old;
    }
    case LVM_SETIMAGELIST:
    case LVM_GETIMAGELIST: {
        if (wParam > LVSIL_STATE)
            return 0;
        HIMAGELIST old = DataOf(s).images[wParam];
        if (message == LVM_SETIMAGELIST)
            DataOf(s).images[wParam] = reinterpret_cast<HIMAGELIST>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case LVM_SORTITEMS: {
        auto cmp = reinterpret_cast<PFNLVCOMPARE>(lParam);
        if (!cmp)
            return FALSE;
        l->SortItems(reinterpret_cast<wxListCtrlCompare>(cmp), (wxIntPtr)wParam);
        return TRUE;
    }
    case WM_LBUTTONUP: wxTheApp->CallAfter([h, lParam]() { NotifyClick(h, NM_CLICK, lParam); }); break;
    case WM_LBUTTONDBLCLK: wxTheApp->CallAfter([h, lParam]() { NotifyClick(h, NM_DBLCLK, lParam); }); break;
    case WM_RBUTTONUP: wxTheApp->CallAfter([h, lParam]() { NotifyClick(h, NM_RCLICK, lParam); }); break;
    case WM_LBUTTONDOWN:
        DataOf(s).selectionMark = HitTest(l, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, nullptr, nullptr);
        break;
    }
    return NativeDefault(h, message, wParam, lParam);
}
