// Dialog helper functions: items by id, checks, radio groups, dialog units, keyboard navigation, EndDialog.
#include <cstdio>
#include <cstdlib>

#include "ui/wx_windows.h"

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) { return SetWindowText(GetDlgItem(dialog, id), text); }

UINT GetDlgItemText(HWND dialog, int id, LPSTR text, int maxCount)
{
    return (UINT)GetWindowText(GetDlgItem(dialog, id), text, maxCount);
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned)
{
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), isSigned ? "%d" : "%u", isSigned ? (int)value : value);
    return SetDlgItemText(dialog, id, buffer);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned)
{
    if (translated)
        *translated = FALSE;
    HWND item = GetDlgItem(dialog, id);
    if (!item)
        return 0;
    char buffer[64] = {};
    GetWindowText(item, buffer, sizeof(buffer));
    const char* p = buffer;
    while (*p == ' ' || *p == '\t')
        ++p;
    char* end = nullptr;
    long long v = std::strtoll(p, &end, 10);
    if (end == p)
        return 0;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end)
        return 0;
    if (isSigned ? (v < INT32_MIN || v > INT32_MAX) : (v < 0 || v > UINT32_MAX))
        return 0;
    if (translated)
        *translated = TRUE;
    return (UINT)v;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check)
{
    HWND item = GetDlgItem(dialog, id);
    if (!item)
        return FALSE;
    SendMessage(item, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) { return (UINT)SendMessage(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0); }

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId)
{
    for (int id = firstId; id <= lastId; ++id)
        if (HWND item = GetDlgItem(dialog, id))
            SendMessage(item, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessage(item, message, wParam, lParam) : 0;
}

BOOL EndDialog(HWND dialog, INT_PTR result)
{
    WindowState* s = StateOf(dialog);
    if (!s)
        return FALSE;
    s->dialogEnded = true;
    s->dialogResult = result;
    NotifyDialogEnded();
    return TRUE;
}

bool DialogEnded(HWND dialog)
{
    WindowState* s = StateOf(dialog);
    return !s || s->dialogEnded;
}

INT_PTR DialogResultOf(HWND dialog)
{
    WindowState* s = StateOf(dialog);
    return s && s->dialogEnded ? s->dialogResult : -1;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect)
{
    WindowState* s = StateOf(dialog);
    if (!s || !rect)
        return FALSE;
    auto mx = [&](LONG v) { return (LONG)(((int64_t)v * s->baseUnitX + (v >= 0 ? 2 : -2)) / 4); };
    auto my = [&](LONG v) { return (LONG)(((int64_t)v * s->baseUnitY + (v >= 0 ? 4 : -4)) / 8); };
    *rect = RECT{mx(rect->left), my(rect->top), mx(rect->right), my(rect->bottom)};
    return TRUE;
}

LONG GetDialogBaseUnits() { return MAKELONG(8, 16); }

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous)
{
    std::vector<HWND> stops;
    for (HWND c : ChildrenOf(dialog)) {
        WindowState* s = StateOf(c);
        if (s && (s->style & WS_TABSTOP) && (s->style & WS_VISIBLE) && !(s->style & WS_DISABLED))
            stops.push_back(c);
    }
    if (stops.empty())
        return nullptr;
    auto it = std::find(stops.begin(), stops.end(), control);
    if (it == stops.end())
        return previous ? stops.back() : stops.front();
    if (previous)
        return it == stops.begin() ? stops.back() : *(it - 1);
    return (it + 1) == stops.end() ? stops.front() : *(it + 1);
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous)
{
    std::vector<HWND> all = ChildrenOf(dialog);
    auto it = std::find(all.begin(), all.end(), control);
    if (it == all.end())
        return nullptr;
    auto first = it;
    while (first != all.begin() && !(StateOf(*first)->style & WS_GROUP))
        --first;
    auto last = it + 1;
    while (last != all.end() && !(StateOf(*last)->style & WS_GROUP))
        ++last;
    if (previous)
        return it == first ? *(last - 1) : *(it - 1);
    return (it + 1) == last ? *first : *(it + 1);
}

BOOL IsDialogMessage(HWND dialog, LPMSG msg)
{
    if (!msg || !dialog || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)))
        return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_CHAR)
        return FALSE;
    int key = (int)msg->wParam;
    if (key != VK_RETURN && key != VK_ESCAPE && key != VK_TAB)
        return FALSE;
    LRESULT code = SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, (LPARAM)msg);
    if (code & DLGC_WANTALLKEYS)
        return FALSE;
    if (msg->message == WM_CHAR)
        return TRUE;  // the key-down did the work
    if (key == VK_TAB) {
        if (code & DLGC_WANTTAB)
            return FALSE;
        HWND next = GetNextDlgTabItem(dialog, GetFocus(), GetKeyState(VK_SHIFT) < 0);
        if (next)
            SetFocus(next);
        return TRUE;
    }
    int id = IDCANCEL;
    if (key == VK_RETURN) {
        LRESULT focusCode = SendMessage(msg->hwnd, WM_GETDLGCODE, 0, 0);
        if (msg->hwnd != dialog && (focusCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            id = GetDlgCtrlID(msg->hwnd);
        else {
            LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
            id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
        }
    }
    HWND item = GetDlgItem(dialog, id);
    if (item && !IsWindowEnabled(item))
        return TRUE;
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)item);
    return TRUE;
}
