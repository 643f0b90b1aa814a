// The owner-drawn report list (LVS_OWNERDRAWFIXED): the layer keeps columns and rows, paints the header and asks
// the parent to draw each row with WM_DRAWITEM; selection, scrolling and the list notifications are its own.
#include "ui/wx_windows.h"

#include "ui/commctrl.h"

namespace {

struct Column {
    std::string text;
    int width = 60;
    int format = LVCFMT_LEFT;
};

struct Row {
    std::vector<std::string> texts;
    LPARAM param = 0;
    UINT state = 0;
};

struct OwnerList {
    std::vector<Column> columns;
    std::vector<Row> rows;
    int top = 0;
    int rowHeight = 0;
    DWORD exStyle = 0;
    int selectionMark = -1;
    HIMAGELIST images[3] = {};
    int pressedRow = -1;
    POINT pressAt{0, 0};
    bool dragStarted = false;
};

OwnerList& DataOf(WindowState* s)
{
    if (!s->extra)
        s->extra = std::make_shared<OwnerList>();
    return *static_cast<OwnerList*>(s->extra.get());
}

int HeaderHeight(WindowState* s) { return (s->style & LVS_NOCOLUMNHEADER) ? 0 : DataOf(s).rowHeight + 4; }

int RowHeight(HWND h, WindowState* s)
{
    OwnerList& d = DataOf(s);
    if (d.rowHeight == 0) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, s->font ? s->font : DefaultGuiFont());
        TEXTMETRIC tm{};
        GetTextMetrics(dc, &tm);
        SelectObject(dc, old);
        DeleteDC(dc);
        MEASUREITEMSTRUCT mis{ODT_LISTVIEW, (UINT)s->id, 0, 0, (UINT)std::max<LONG>(tm.tmHeight + 1, 16), 0};
        SendMessage(s->parent, WM_MEASUREITEM, (WPARAM)s->id, (LPARAM)&mis);
        if ((s = StateOf(h)) != nullptr)
            DataOf(s).rowHeight = std::max<int>((int)mis.itemHeight, 1);
    }
    return s ? DataOf(s).rowHeight : 16;
}

int VisibleRows(HWND h, WindowState* s)
{
    RECT r;
    GetClientRect(h, &r);
    return std::max(1, (r.bottom - HeaderHeight(s)) / RowHeight(h, s));
}

void UpdateScrollBar(HWND h, WindowState* s)
{
    OwnerList& d = DataOf(s);
    int page = VisibleRows(h, s);
    int maxTop = std::max(0, (int)d.rows.size() - page);
    d.top = std::clamp(d.top, 0, maxTop);
    SCROLLINFO si{sizeof(SCROLLINFO),
                  SIF_RANGE | SIF_PAGE | SIF_POS,
                  0,
                  std::max(0, (int)d.rows.size() - 1),
                  (UINT)page,
                  d.top,
                  0};
    SetScrollInfo(h, SB_VERT, &si, TRUE);
}

RECT RowRect(HWND h, WindowState* s, int row)
{
    RECT r;
    GetClientRect(h, &r);
    int y = HeaderHeight(s) + (row - DataOf(s).top) * RowHeight(h, s);
    int width = 0;
    for (const Column& c : DataOf(s).columns)
        width += c.width;
    return RECT{0, y, std::max<LONG>(width, r.right), y + RowHeight(h, s)};
}

int RowAt(HWND h, WindowState* s, POINT p)
{
    if (p.y < HeaderHeight(s))
        return -1;
    int row = DataOf(s).top + (p.y - HeaderHeight(s)) / RowHeight(h, s);
    return row < (int)DataOf(s).rows.size() ? row : -1;
}

int ColumnAt(WindowState* s, int x)
{
    int left = 0;
    const auto& cols = DataOf(s).columns;
    for (size_t c = 0; c < cols.size(); ++c) {
        if (x >= left && x < left + cols[c].width)
            return (int)c;
        left += cols[c].width;
    }
    return -1;
}

void SetRowState(HWND h, int row, UINT state, UINT mask)
{
    WindowState* s = StateOf(h);
    if (!s || row < 0 || row >= (int)DataOf(s).rows.size())
        return;
    Row& r = DataOf(s).rows[row];
    UINT old = r.state;
    r.state = (r.state & ~mask) | (state & mask);
    if (r.state == old)
        return;
    RECT rc = RowRect(h, s, row);
    InvalidateRect(h, &rc, FALSE);
    NMLISTVIEW nm{};
    nm.iItem = row;
    nm.uChanged = LVIF_STATE;
    nm.uNewState = r.state;
    nm.uOldState = old;
    nm.lParam = r.param;
    SendNotify(h, nm.hdr, LVN_ITEMCHANGED);
}

void SelectOnly(HWND h, int row)
{
    WindowState* s = StateOf(h);
    if (!s)
        return;
    for (int i = 0; i < (int)DataOf(s).rows.size(); ++i)
        if (i != row)
            SetRowState(h, i, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SetRowState(h, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if ((s = StateOf(h)) != nullptr)
        DataOf(s).selectionMark = row;
}

void Paint(HWND h, WindowState* s)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT client;
    GetClientRect(h, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    SelectObject(dc, s->font ? s->font : DefaultGuiFont());
    OwnerList& d = DataOf(s);
    int hh = HeaderHeight(s);
    if (hh > 0) {
        int left = 0;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        for (const Column& c : d.columns) {
            RECT cell{left, 0, left + c.width, hh};
            DrawFrameControl(dc, &cell, DFC_BUTTON, DFCS_BUTTONPUSH);
            RECT text{cell.left + 6, cell.top, cell.right - 6, cell.bottom};
            UINT align = (c.format & 3) == LVCFMT_RIGHT    ? DT_RIGHT
                         : (c.format & 3) == LVCFMT_CENTER ? DT_CENTER
                                                           : DT_LEFT;
            DrawText(dc, c.text.c_str(), (int)c.text.size(), &text,
                     align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            left += c.width;
        }
        if (left < client.right) {
            RECT rest{left, 0, client.right, hh};
            DrawFrameControl(dc, &rest, DFC_BUTTON, DFCS_BUTTONPUSH);
        }
    }
    IntersectClipRect(dc, 0, hh, client.right, client.bottom);
    int rows = (int)d.rows.size();
    for (int i = d.top; i < rows; ++i) {
        RECT rc = RowRect(h, s, i);
        if (rc.top >= client.bottom)
            break;
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTVIEW;
        dis.CtlID = (UINT)s->id;
        dis.itemID = (UINT)i;
        dis.itemAction = ODA_DRAWENTIRE;
        UINT st = d.rows[i].state;
        dis.itemState = ((st & LVIS_SELECTED) ? ODS_SELECTED : 0) |
                        ((st & LVIS_FOCUSED) && GetFocus() == h ? ODS_FOCUS : 0) |
                        ((s->style & WS_DISABLED) ? ODS_DISABLED : 0);
        dis.hwndItem = h;
        dis.hDC = dc;
        dis.rcItem = rc;
        dis.itemData = (ULONG_PTR)d.rows[i].param;
        int saved = SaveDC(dc);
        SendMessage(s->parent, WM_DRAWITEM, (WPARAM)s->id, (LPARAM)&dis);
        RestoreDC(dc, saved);
        if ((s = StateOf(h)) == nullptr)
            break;
    }
    EndPaint(h, &ps);
}

void CopyText(const std::string& text, LPSTR out, int max)
{
    if (!out || max <= 0)
        return;
    int n = std::min((int)text.size(), max - 1);
    std::copy(text.begin(), text.begin() + n, out);
    out[n] = 0;
}

// Takes the fields a column description's mask names.
void SetColumnFields(Column& col, const LVCOLUMN& c)
{
    if ((c.mask & LVCF_TEXT) && c.pszText)
        col.text = c.pszText;
    if (c.mask & LVCF_WIDTH)
        col.width = c.cx;
    if (c.mask & LVCF_FMT)
        col.format = c.fmt;
}

void EnsureVisible(HWND h, WindowState* s, int row)
{
    OwnerList& d = DataOf(s);
    int page = VisibleRows(h, s);
    if (row < d.top)
        d.top = row;
    else if (row >= d.top + page)
        d.top = row - page + 1;
    UpdateScrollBar(h, s);
    InvalidateRect(h, nullptr, FALSE);
}

}  // namespace

LRESULT OwnerDrawnListViewProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(h);
    OwnerList& d = DataOf(s);
    int count = (int)d.rows.size();
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT: Paint(h, s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: UpdateScrollBar(h, s); return 0;
    case WM_VSCROLL: {
        int page = VisibleRows(h, s);
        switch (LOWORD(wParam)) {
        case SB_LINEUP: d.top -= 1; break;
        case SB_LINEDOWN: d.top += 1; break;
        case SB_PAGEUP: d.top -= page; break;
        case SB_PAGEDOWN: d.top += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: d.top = (short)HIWORD(wParam); break;
        case SB_TOP: d.top = 0; break;
        case SB_BOTTOM: d.top = count; break;
        }
        UpdateScrollBar(h, s);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    }
    case WM_MOUSEWHEEL:
        d.top -= 3 * (short)HIWORD(wParam) / WHEEL_DELTA;
        UpdateScrollBar(h, s);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        SetFocus(h);
        if (pt.y < HeaderHeight(s)) {
            if (message == WM_LBUTTONDOWN && ColumnAt(s, pt.x) >= 0) {
                NMLISTVIEW nm{};
                nm.iItem = -1;
                nm.iSubItem = ColumnAt(s, pt.x);
                SendNotify(h, nm.hdr, LVN_COLUMNCLICK);
            }
            return 0;
        }
        int row = RowAt(h, s, pt);
        if (row >= 0)
            SelectOnly(h, row);
        if ((s = StateOf(h)) != nullptr && message == WM_LBUTTONDOWN) {
            DataOf(s).pressedRow = row;
            DataOf(s).pressAt = pt;
            DataOf(s).dragStarted = false;
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if ((wParam & MK_LBUTTON) && d.pressedRow >= 0 && !d.dragStarted &&
            (std::abs(pt.x - d.pressAt.x) > 4 || std::abs(pt.y - d.pressAt.y) > 4)) {
            d.dragStarted = true;
            NMLISTVIEW nm{};
            nm.iItem = d.pressedRow;
            nm.ptAction = d.pressAt;
            SendNotify(h, nm.hdr, LVN_BEGINDRAG);
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK: {
        if (message == WM_LBUTTONUP) {
            bool dragged = d.dragStarted;
            d.pressedRow = -1;
            d.dragStarted = false;
            if (dragged)
                return 0;
        }
        if (pt.y < HeaderHeight(s))
            return 0;
        NMITEMACTIVATE nm{};
        nm.ptAction = pt;
        nm.iItem = RowAt(h, s, pt);
        nm.iSubItem = nm.iItem >= 0 ? ColumnAt(s, pt.x) : -1;
        SendNotify(h, nm.hdr, message == WM_LBUTTONUP ? NM_CLICK : message == WM_RBUTTONUP ? NM_RCLICK : NM_DBLCLK);
        return 0;
    }
    case WM_KEYDOWN: {
        int cur = -1;
        for (int i = 0; i < count; ++i)
            if (d.rows[i].state & LVIS_FOCUSED)
                cur = i;
        int next = cur;
        if (wParam == VK_UP)
            next = std::max(0, cur - 1);
        else if (wParam == VK_DOWN)
            next = std::min(count - 1, cur + 1);
        else if (wParam == VK_HOME)
            next = 0;
        else if (wParam == VK_END)
            next = count - 1;
        NMLVKEYDOWN nm{};
        nm.wVKey = (WORD)wParam;
        SendNotify(h, nm.hdr, LVN_KEYDOWN);
        if (next != cur && next >= 0 && IsWindow(h)) {
            SelectOnly(h, next);
            if ((s = StateOf(h)) != nullptr)
                EnsureVisible(h, s, next);
        }
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case LVM_INSERTCOLUMN: {
        auto* c = reinterpret_cast<const LVCOLUMN*>(lParam);
        if (!c)
            return -1;
        Column col;
        SetColumnFields(col, *c);
        int at = std::clamp((int)wParam, 0, (int)d.columns.size());
        d.columns.insert(d.columns.begin() + at, col);
        for (Row& r : d.rows)
            if ((int)r.texts.size() > at)
                r.texts.insert(r.texts.begin() + at, "");
        InvalidateRect(h, nullptr, FALSE);
        return at;
    }
    case LVM_DELETECOLUMN:
        if ((int)wParam < 0 || (int)wParam >= (int)d.columns.size())
            return FALSE;
        d.columns.erase(d.columns.begin() + (int)wParam);
        for (Row& r : d.rows)
            if ((int)r.texts.size() > (int)wParam)
                r.texts.erase(r.texts.begin() + (int)wParam);
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    case LVM_GETCOLUMNWIDTH:
        return (int)wParam >= 0 && (int)wParam < (int)d.columns.size() ? d.columns[wParam].width : 0;
    case LVM_SETCOLUMNWIDTH:
        if ((int)wParam < 0 || (int)wParam >= (int)d.columns.size())
            return FALSE;
        d.columns[wParam].width = std::max<int>((short)LOWORD(lParam), 0);
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    case LVM_GETCOLUMN:
    case LVM_SETCOLUMN: {
        auto* c = reinterpret_cast<LVCOLUMN*>(lParam);
        if (!c || (int)wParam < 0 || (int)wParam >= (int)d.columns.size())
            return FALSE;
        Column& col = d.columns[wParam];
        if (message == LVM_GETCOLUMN) {
            if (c->mask & LVCF_WIDTH)
                c->cx = col.width;
            if (c->mask & LVCF_FMT)
                c->fmt = col.format;
            if (c->mask & LVCF_TEXT)
                CopyText(col.text, c->pszText, c->cchTextMax);
        } else {
            SetColumnFields(col, *c);
            InvalidateRect(h, nullptr, FALSE);
        }
        return TRUE;
    }
    case LVM_GETITEMCOUNT: return count;
    case LVM_INSERTITEM: {
        auto* it = reinterpret_cast<const LVITEM*>(lParam);
        if (!it)
            return -1;
        Row r;
        r.texts.resize(std::max<size_t>(d.columns.size(), 1));
        if ((it->mask & LVIF_TEXT) && it->pszText && it->pszText != LPSTR_TEXTCALLBACK)
            r.texts[0] = it->pszText;
        if (it->mask & LVIF_PARAM)
            r.param = it->lParam;
        if (it->mask & LVIF_STATE)
            r.state = it->state & it->stateMask;
        int at = std::clamp(it->iItem, 0, count);
        d.rows.insert(d.rows.begin() + at, r);
        UpdateScrollBar(h, s);
        InvalidateRect(h, nullptr, FALSE);
        return at;
    }
    case LVM_SETITEM:
    case LVM_GETITEM: {
        auto* it = reinterpret_cast<LVITEM*>(lParam);
        if (!it || it->iItem < 0 || it->iItem >= count || it->iSubItem < 0)
            return FALSE;
        Row& r = d.rows[it->iItem];
        if (r.texts.size() <= (size_t)it->iSubItem)
            r.texts.resize(it->iSubItem + 1);
        if (message == LVM_GETITEM) {
            if (it->mask & LVIF_TEXT)
                CopyText(r.texts[it->iSubItem], it->pszText, it->cchTextMax);
            if (it->mask & LVIF_PARAM)
                it->lParam = r.param;
            if (it->mask & LVIF_STATE)
                it->state = r.state & it->stateMask;
            return TRUE;
        }
        if ((it->mask & LVIF_TEXT) && it->pszText && it->pszText != LPSTR_TEXTCALLBACK)
            r.texts[it->iSubItem] = it->pszText;
        if ((it->mask & LVIF_PARAM) && it->iSubItem == 0)
            r.param = it->lParam;
        if (it->mask & LVIF_STATE)
            SetRowState(h, it->iItem, it->state, it->stateMask);
        if ((s = StateOf(h)) != nullptr) {
            RECT rc = RowRect(h, s, it->iItem);
            InvalidateRect(h, &rc, FALSE);
        }
        return TRUE;
    }
    case LVM_SETITEMTEXT:
    case LVM_GETITEMTEXT: {
        auto* it = reinterpret_cast<LVITEM*>(lParam);
        int i = (int)wParam;
        if (!it || i < 0 || i >= count || it->iSubItem < 0)
            return message == LVM_SETITEMTEXT ? FALSE : 0;
        Row& r = d.rows[i];
        if (r.texts.size() <= (size_t)it->iSubItem)
            r.texts.resize(it->iSubItem + 1);
        if (message == LVM_GETITEMTEXT) {
            CopyText(r.texts[it->iSubItem], it->pszText, it->cchTextMax);
            return (LRESULT)std::min<size_t>(r.texts[it->iSubItem].size(), it->cchTextMax > 0 ? it->cchTextMax - 1 : 0);
        }
        r.texts[it->iSubItem] = it->pszText ? it->pszText : "";
        RECT rc = RowRect(h, s, i);
        InvalidateRect(h, &rc, FALSE);
        return TRUE;
    }
    case LVM_DELETEITEM:
        if ((int)wParam < 0 || (int)wParam >= count)
            return FALSE;
        d.rows.erase(d.rows.begin() + (int)wParam);
        UpdateScrollBar(h, s);
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    case LVM_DELETEALLITEMS:
        d.rows.clear();
        d.top = 0;
        UpdateScrollBar(h, s);
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    case LVM_SETITEMSTATE: {
        auto* it = reinterpret_cast<const LVITEM*>(lParam);
        if (!it)
            return FALSE;
        if ((int)wParam == -1) {
            for (int i = 0; i < count; ++i)
                SetRowState(h, i, it->state, it->stateMask);
            return TRUE;
        }
        if ((int)wParam < 0 || (int)wParam >= count)
            return FALSE;
        SetRowState(h, (int)wParam, it->state, it->stateMask);
        return TRUE;
    }
    case LVM_GETITEMSTATE: return (int)wParam >= 0 && (int)wParam < count ? d.rows[wParam].state & (UINT)lParam : 0;
    case LVM_GETNEXTITEM: {
        UINT flags = LOWORD(lParam);
        UINT want = ((flags & LVNI_SELECTED) ? LVIS_SELECTED : 0) | ((flags & LVNI_FOCUSED) ? LVIS_FOCUSED : 0);
        for (int i = (int)wParam + 1; i < count; ++i)
            if ((d.rows[i].state & want) == want)
                return i;
        return -1;
    }
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(d.rows.begin(), d.rows.end(), [](const Row& r) { return (r.state & LVIS_SELECTED) != 0; });
    case LVM_FINDITEM: {
        auto* fi = reinterpret_cast<const LVFINDINFO*>(lParam);
        if (!fi)
            return -1;
        wxString want = wxString::FromUTF8(fi->psz ? fi->psz : "").Lower();
        for (int k = 0; k < count; ++k) {
            int i = (int)wParam + 1 + k;
            if (i >= count) {
                if (!(fi->flags & LVFI_WRAP))
                    break;
                i -= count;
            }
            if (fi->flags & LVFI_PARAM) {
                if (d.rows[i].param == fi->lParam)
                    return i;
                continue;
            }
            wxString text = wxString::FromUTF8(d.rows[i].texts[0]).Lower();
            if ((fi->flags & LVFI_PARTIAL) ? text.StartsWith(want) : text == want)
                return i;
        }
        return -1;
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
        auto* hit = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (!hit)
            return -1;
        hit->iItem = RowAt(h, s, hit->pt);
        hit->iSubItem = hit->iItem >= 0 ? ColumnAt(s, hit->pt.x) : -1;
        hit->flags = hit->iItem >= 0 ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
        return hit->iItem;
    }
    case LVM_GETITEMRECT:
    case LVM_GETSUBITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        int i = (int)wParam;
        if (!r || i < 0 || i >= count)
            return FALSE;
        RECT rc = RowRect(h, s, i);
        if (message == LVM_GETSUBITEMRECT && r->top >= 0 && r->top < (LONG)d.columns.size()) {
            int left = 0;
            for (int c = 0; c < r->top; ++c)
                left += d.columns[c].width;
            rc.left = left;
            rc.right = left + d.columns[r->top].width;
        }
        *r = rc;
        return TRUE;
    }
    case LVM_ENSUREVISIBLE:
        if ((int)wParam >= 0 && (int)wParam < count)
            EnsureVisible(h, s, (int)wParam);
        return TRUE;
    case LVM_GETTOPINDEX: return d.top;
    case LVM_GETCOUNTPERPAGE: return VisibleRows(h, s);
    case LVM_REDRAWITEMS: InvalidateRect(h, nullptr, FALSE); return TRUE;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        DWORD old = d.exStyle;
        DWORD mask = wParam ? (DWORD)wParam : 0xFFFFFFFFu;
        d.exStyle = (d.exStyle & ~mask) | ((DWORD)lParam & mask);
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return d.exStyle;
    case LVM_SETIMAGELIST:
    case LVM_GETIMAGELIST: {
        if (wParam > LVSIL_STATE)
            return 0;
        HIMAGELIST old = d.images[wParam];
        if (message == LVM_SETIMAGELIST)
            d.images[wParam] = reinterpret_cast<HIMAGELIST>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case LVM_GETSELECTIONMARK: return d.selectionMark;
    case LVM_SETSELECTIONMARK: {
        int old = d.selectionMark;
        d.selectionMark = (int)lParam;
        return old;
    }
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_SETTEXTBKCOLOR: return TRUE;
    }
    return DefWindowProc(h, message, wParam, lParam);
}
