// Making a dialog window from its template: dialog units from the template font, the controls, WM_INITDIALOG.
#include "ui/wx_windows.h"
#include "ui/dialog_template.h"

namespace {

// Dialog base units of a font: average width of the alphabet and the character height.
void BaseUnits(HFONT font, int& x, int& y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SIZE size{};
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    GetTextExtentPoint32(dc, alphabet, 52, &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    x = size.cx > 0 ? (size.cx / 26 + 1) / 2 : 6;
    y = tm.tmHeight > 0 ? tm.tmHeight : 13;
}

int ToPixelsX(int v, int unit) { return (int)(((int64_t)v * unit + (v >= 0 ? 2 : -2)) / 4); }
int ToPixelsY(int v, int unit) { return (int)(((int64_t)v * unit + (v >= 0 ? 4 : -4)) / 8); }

}  // namespace

HWND CreateDialogFromTemplate(const DialogTemplate& t, HWND owner, CWnd* object, LPARAM param)
{
    int height = -(t.pointSize * 96 + 36) / 72;
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, t.faceName.c_str());
    int bux, buy;
    BaseUnits(font, bux, buy);
    int w = ToPixelsX(t.cx, bux), h = ToPixelsY(t.cy, buy);
    POINT at{ToPixelsX(t.x, bux), ToPixelsY(t.y, buy)};
    bool child = (t.style & WS_CHILD) != 0;
    if (owner && !child && !(t.style & DS_ABSALIGN))
        ClientToScreen(owner, &at);
    if (object)
        HookWindowCreate(object);
    HWND dlg = CreateWindowEx(t.exStyle, t.className.empty() ? "#32770" : t.className.c_str(), t.caption.c_str(),
                              t.style & ~WS_VISIBLE, at.x, at.y, w, h, owner, nullptr, nullptr, nullptr);
    if (object)
        HookWindowCreate(nullptr);
    WindowState* s = StateOf(dlg);
    if (!s) {
        DeleteObject(font);
        return nullptr;
    }
    s->isDialog = true;
    s->baseUnitX = bux;
    s->baseUnitY = buy;
    s->ownedFont = font;
    if (s->frame) {
        s->keptClientWidth = w;
        s->keptClientHeight = h;
    }
    if (s->frame && s->frame->GetClientSize() != wxSize(w, h)) {
        s->frame->SetClientSize(w, h);
        SyncClientSize(s);
    }
    SendMessage(dlg, WM_SETFONT, (WPARAM)font, FALSE);
    for (const DialogItemTemplate& item : t.items) {
        RECT r{ToPixelsX(item.x, bux), ToPixelsY(item.y, buy), ToPixelsX(item.x + item.cx, bux),
               ToPixelsY(item.y + item.cy, buy)};
        HWND c = CreateWindowEx(item.exStyle, item.className.c_str(), item.text.c_str(), item.style | WS_CHILD, r.left,
                                r.top, r.right - r.left, r.bottom - r.top, dlg,
                                reinterpret_cast<HMENU>((intptr_t)item.id), nullptr, nullptr);
        if (!c)
            continue;
        SendMessage(c, WM_SETFONT, (WPARAM)font, FALSE);
        if ((s = StateOf(dlg)) != nullptr && item.className == "Button" &&
            (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            s->defaultId = item.id;
    }
    if (!IsWindow(dlg))
        return nullptr;
    if (t.style & DS_CENTER) {
        RECT area, me;
        if (owner && IsWindowVisible(owner))
            GetWindowRect(owner, &area);
        else
            SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
        GetWindowRect(dlg, &me);
        SetWindowPos(dlg, nullptr, (area.left + area.right - (me.right - me.left)) / 2,
                     (area.top + area.bottom - (me.bottom - me.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    HWND first = GetNextDlgTabItem(dlg, nullptr, FALSE);
    if (SendMessage(dlg, WM_INITDIALOG, (WPARAM)first, param) && first && IsWindow(first))
        SetFocus(first);
    if (!IsWindow(dlg))
        return nullptr;
    if (t.style & WS_VISIBLE)
        ShowWindow(dlg, SW_SHOW);
    return dlg;
}
