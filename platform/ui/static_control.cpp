// The static class: text, frames, rectangles, pictures and owner-drawn statics, painted through the backing surface.
#include "ui/wx_windows.h"

namespace {

struct StaticData {
    HANDLE image = nullptr;  // STM_SETIMAGE / STM_SETICON
};

StaticData& DataOf(WindowState* s)
{
    if (!s->extra)
        s->extra = std::make_shared<StaticData>();
    return *static_cast<StaticData*>(s->extra.get());
}

void PaintText(HWND h, WindowState* s, HDC dc, const RECT& r, DWORD type)
{
    UINT format = DT_EXPANDTABS;
    if (type == SS_CENTER)
        format |= DT_CENTER | DT_WORDBREAK;
    else if (type == SS_RIGHT)
        format |= DT_RIGHT | DT_WORDBREAK;
    else if (type == SS_LEFT)
        format |= DT_LEFT | DT_WORDBREAK;
    else
        format |= DT_LEFT | DT_SINGLELINE;
    if (s->style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (s->style & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    if (s->style & WS_DISABLED)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    RECT box = r;
    DrawText(dc, s->text.c_str(), (int)s->text.size(), &box, format);
}

void PaintStatic(HWND h, WindowState* s)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT r;
    GetClientRect(h, &r);
    DWORD type = s->style & SS_TYPEMASK;
    HBRUSH brush = nullptr;
    switch (type) {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
        FillRect(dc, &r,
                 GetSysColorBrush(type == SS_BLACKRECT  ? COLOR_WINDOWFRAME
                                  : type == SS_GRAYRECT ? COLOR_BTNSHADOW
                                                        : COLOR_WINDOW));
        break;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
        FrameRect(dc, &r,
                  GetSysColorBrush(type == SS_BLACKFRAME  ? COLOR_WINDOWFRAME
                                   : type == SS_GRAYFRAME ? COLOR_BTNSHADOW
                                                          : COLOR_WINDOW));
        break;
    case SS_ETCHEDHORZ: DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP); break;
    case SS_ETCHEDVERT: DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT); break;
    case SS_ETCHEDFRAME: DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT); break;
    case SS_OWNERDRAW: {
        DRAWITEMSTRUCT dis{
            ODT_STATIC, (UINT)s->id, 0, ODA_DRAWENTIRE, (s->style & WS_DISABLED) ? (UINT)ODS_DISABLED : 0u, h,
            dc,         r,           0};
        SendMessage(s->parent, WM_DRAWITEM, (WPARAM)s->id, (LPARAM)&dis);
        break;
    }
    case SS_BITMAP:
    case SS_ICON: {
        brush = reinterpret_cast<HBRUSH>(SendMessage(s->parent, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)h));
        if (brush)
            FillRect(dc, &r, brush);
        HANDLE image = DataOf(s).image;
        if (image && GetObjectType(image) == OBJ_BITMAP) {
            BITMAP bm{};
            GetObject(image, sizeof(bm), &bm);
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, image);
            int x = (s->style & SS_CENTERIMAGE) ? (r.right - bm.bmWidth) / 2 : 0;
            int y = (s->style & SS_CENTERIMAGE) ? (r.bottom - bm.bmHeight) / 2 : 0;
            BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        break;
    }
    default: {
        SelectObject(dc, s->font ? s->font : DefaultGuiFont());
        brush = reinterpret_cast<HBRUSH>(SendMessage(s->parent, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)h));
        if ((s = StateOf(h)) == nullptr) {
            EndPaint(h, &ps);
            return;
        }
        if (brush && brush != GetStockObject(NULL_BRUSH))
            FillRect(dc, &r, brush);
        PaintText(h, s, dc, r, type);
        break;
    }
    }
    if ((s = StateOf(h)) != nullptr && (s->style & SS_SUNKEN))
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    EndPaint(h, &ps);
}

}  // namespace

LRESULT CALLBACK StaticProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(h);
    if (!s)
        return 0;
    switch (message) {
    case WM_PAINT: PaintStatic(h, s); return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills what the parent's colour asks for
    case WM_NCHITTEST: return (s->style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONUP:
        if (s->style & SS_NOTIFY)
            NotifyParent(s, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (s->style & SS_NOTIFY)
            NotifyParent(s, STN_DBLCLK);
        return 0;
    case STM_SETIMAGE:
    case STM_SETICON: {
        HANDLE old = DataOf(s).image;
        DataOf(s).image = reinterpret_cast<HANDLE>(message == STM_SETICON ? wParam : (WPARAM)lParam);
        InvalidateRect(h, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_ENABLE: InvalidateRect(h, nullptr, TRUE); return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    }
    return DefWindowProc(h, message, wParam, lParam);
}
