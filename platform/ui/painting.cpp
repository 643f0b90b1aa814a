// Painting: backing surfaces, invalid areas, BeginPaint/EndPaint, window DCs and the blit to the screen.
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "ui/wx_windows.h"

void ShowSurfaceNow(WindowState* s, const RECT& rect);

namespace {

std::unordered_map<HDC, HWND> g_windowDcs;

bool IsEmptyRect(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

void UnionInto(RECT& dst, const RECT& add)
{
    if (IsEmptyRect(add))
        return;
    if (IsEmptyRect(dst)) {
        dst = add;
        return;
    }
    dst.left = std::min(dst.left, add.left);
    dst.top = std::min(dst.top, add.top);
    dst.right = std::max(dst.right, add.right);
    dst.bottom = std::max(dst.bottom, add.bottom);
}

RECT ClipToSurface(const WindowState* s, RECT r)
{
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, s->back.width);
    r.bottom = std::min<LONG>(r.bottom, s->back.height);
    return r;
}

HDC NewSurfaceDc(WindowState* s)
{
    EnsureBackingSurface(s);
    HDC dc = CreateCompatibleDC(nullptr);
    if (s->back.bitmap)
        SelectObject(dc, s->back.bitmap);
    g_windowDcs[dc] = s->hwnd;
    return dc;
}

void DeleteSurfaceDc(HDC dc)
{
    g_windowDcs.erase(dc);
    DeleteDC(dc);
}

// A child shows its parent's pixels where it paints nothing, as a window without its own background does.
void CopyParentPixels(WindowState* s, const RECT& r)
{
    if (!(s->style & WS_CHILD) || !s->outer)
        return;
    WindowState* p = StateOf(s->parent);
    if (!p || !p->back.bits || !s->back.bits)
        return;
    wxPoint at = s->outer->GetPosition();
    if (s->surface && s->surface != s->outer)
        at += s->surface->GetPosition();
    for (int y = r.top; y < r.bottom; ++y) {
        int py = y + at.y;
        if (py < 0 || py >= p->back.height)
            continue;
        int x0 = std::max<int>(r.left, -at.x), x1 = std::min<int>(r.right, p->back.width - at.x);
        if (x1 <= x0)
            continue;
        auto* src = static_cast<uint32_t*>(p->back.bits) + (size_t)py * p->back.width + x0 + at.x;
        auto* dst = static_cast<uint32_t*>(s->back.bits) + (size_t)y * s->back.width + x0;
        std::memcpy(dst, src, (size_t)(x1 - x0) * 4);
    }
}

// Runs WM_PAINT for the invalid area into the backing surface.
void PaintNow(WindowState* s)
{
    if (!s->surface || !IsWindowVisible(s->hwnd))
        return;
    if (s->inPaint || !s->surface)
        return;
    EnsureBackingSurface(s);
    if (!s->everPainted) {
        s->everPainted = true;
        s->invalid = RECT{0, 0, s->back.width, s->back.height};
        s->eraseNeeded = true;
    }
    RECT inv = ClipToSurface(s, s->invalid);
    if (IsEmptyRect(inv)) {
        s->invalid = RECT{0, 0, 0, 0};
        return;
    }
    HWND h = s->hwnd;
    // A parent with paint pending paints first, so the pixels a child shows through are current.
    if (s->style & WS_CHILD)
        if (WindowState* p = StateOf(s->parent);
            p && p->surface && !p->inPaint && (!p->everPainted || !IsEmptyRect(p->invalid))) {
            PaintNow(p);
            if ((s = StateOf(h)) == nullptr)
                return;
            inv = ClipToSurface(s, s->invalid);
        }
    // Without an erase the window keeps what it showed (a window may draw only in WM_ERASEBKGND).
    if (s->eraseNeeded)
        CopyParentPixels(s, inv);
    s->inPaint = true;
    SendMessage(h, WM_PAINT, 0, 0);
    if ((s = StateOf(h)) != nullptr) {
        s->inPaint = false;
        s->invalid = RECT{0, 0, 0, 0};  // a handler that never validates must not repaint forever
    }
}

void BlitToDc(WindowState* s, wxDC& dc, RECT r)
{
    r = ClipToSurface(s, r);
    if (IsEmptyRect(r) || !s->back.bits)
        return;
    int w = r.right - r.left, h = r.bottom - r.top;
    wxImage img(w, h, false);
    unsigned char* out = img.GetData();
    for (int y = 0; y < h; ++y) {
        const uint8_t* src =
            static_cast<const uint8_t*>(s->back.bits) + ((size_t)(y + r.top) * s->back.width + r.left) * 4;
        for (int x = 0; x < w; ++x, src += 4, out += 3) {
            out[0] = src[2];
            out[1] = src[1];
            out[2] = src[0];
        }
    }
    dc.DrawBitmap(wxBitmap(img), r.left, r.top, false);
}

HDC GetWindowDcForGdi(HWND hWnd, BOOL)
{
    WindowState* s = StateOf(hWnd);
    if (!s || !s->surface)
        return nullptr;
    return NewSurfaceDc(s);
}

int ReleaseWindowDcForGdi(HWND hWnd, HDC dc)
{
    auto it = g_windowDcs.find(dc);
    if (it == g_windowDcs.end())
        return 0;
    DeleteSurfaceDc(dc);
    WindowState* s = StateOf(hWnd);
    // Only what was drawn goes to the screen: a cursor line must not cost a whole window.
    if (s && !s->inPaint && s->back.bitmap) {
        RECT drawn = GdiTakeDrawnRect(s->back.bitmap);
        if (!IsEmptyRect(drawn))
            ShowSurfaceNow(s, drawn);
    }
    return 1;
}

}  // namespace

void InstallWindowDcProvider() { GdiSetWindowDcProvider(&GetWindowDcForGdi, &ReleaseWindowDcForGdi); }

void EnsureBackingSurface(WindowState* s)
{
    if (!s->surface)
        return;
    wxSize z = s->surface->GetClientSize();
    int w = std::max(z.x, 1), h = std::max(z.y, 1);
    if (s->back.bitmap && s->back.width == w && s->back.height == h)
        return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp)
        return;
    std::memset(bits, 0xFF, (size_t)w * h * 4);
    if (s->back.bits) {
        // Keep what was painted, so a grown window repaints only what it must.
        int cw = std::min(w, s->back.width), ch = std::min(h, s->back.height);
        for (int y = 0; y < ch; ++y)
            std::memcpy(static_cast<uint32_t*>(bits) + (size_t)y * w,
                        static_cast<uint32_t*>(s->back.bits) + (size_t)y * s->back.width, (size_t)cw * 4);
        DeleteObject(s->back.bitmap);
    }
    s->back = BackingSurface{bmp, bits, w, h};
    s->invalid = RECT{0, 0, w, h};
    s->eraseNeeded = true;
}

void FreeBackingSurface(WindowState* s)
{
    if (s->back.bitmap)
        DeleteObject(s->back.bitmap);
    s->back = BackingSurface{};
}

void PaintSurface(WindowState* s, wxDC& dc, const wxRegion& exposed)
{
    HWND h = s->hwnd;
    PaintNow(s);
    if ((s = StateOf(h)) == nullptr)
        return;
    wxRect box = exposed.IsEmpty() ? wxRect(0, 0, s->back.width, s->back.height) : exposed.GetBox();
    BlitToDc(s, dc, RECT{box.x, box.y, box.GetRight() + 1, box.GetBottom() + 1});
}

// Puts part of the backing surface on the screen at once.
void ShowSurfaceNow(WindowState* s, const RECT& rect)
{
    if (!s->surface || !s->surface->IsShownOnScreen())
        return;
    s->surface->RefreshRect(wxRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), false);
    s->surface->Update();
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT paint)
{
    WindowState* s = StateOf(hWnd);
    if (!s || !paint || !s->surface)
        return nullptr;
    std::memset(paint, 0, sizeof(*paint));
    HDC dc = NewSurfaceDc(s);
    RECT inv = ClipToSurface(s, s->invalid);
    if (IsEmptyRect(inv))
        inv = RECT{0, 0, 0, 0};
    IntersectClipRect(dc, inv.left, inv.top, inv.right, inv.bottom);
    if (s->region && (s->style & WS_CHILD))
        ExtSelectClipRgn(dc, s->region, RGN_AND);  // a child paints only inside its region
    paint->hdc = dc;
    paint->rcPaint = inv;
    s->invalid = RECT{0, 0, 0, 0};
    if (s->eraseNeeded) {
        s->eraseNeeded = false;
        paint->fErase = SendMessage(hWnd, WM_ERASEBKGND, (WPARAM)dc, 0) ? FALSE : TRUE;
    }
    return dc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* paint)
{
    if (!paint || !paint->hdc)
        return FALSE;
    DeleteSurfaceDc(paint->hdc);
    WindowState* s = StateOf(hWnd);
    if (s && s->back.bitmap)
        GdiTakeDrawnRect(s->back.bitmap);  // the paint area shows as a whole
    if (s && !s->inPaint)
        ShowSurfaceNow(s, paint->rcPaint);
    return TRUE;
}

HWND WindowFromDC(HDC dc)
{
    auto it = g_windowDcs.find(dc);
    return it == g_windowDcs.end() ? nullptr : it->second;
}

BOOL InvalidateRect(HWND hWnd, const RECT* rect, BOOL erase)
{
    if (!hWnd) {
        for (HWND top : TopLevelWindows())
            RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0) | RDW_ALLCHILDREN);
        return TRUE;
    }
    WindowState* s = StateOf(hWnd);
    if (!s)
        return FALSE;
    if (s->native) {
        // A repainted edit asks its parent for its colours again, as it does before each paint.
        if (s->cls->name == "edit")
            ApplyCtlColors(s, (s->style & ES_READONLY) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
        if ((s = StateOf(hWnd)) != nullptr && s->native)
            s->native->Refresh(erase != FALSE);
        return TRUE;
    }
    if (!s->surface)
        return TRUE;
    EnsureBackingSurface(s);
    RECT all{0, 0, s->back.width, s->back.height};
    RECT r = rect ? ClipToSurface(s, *rect) : all;
    if (IsEmptyRect(r))
        return TRUE;
    UnionInto(s->invalid, r);
    if (erase)
        s->eraseNeeded = true;
    s->surface->RefreshRect(wxRect(r.left, r.top, r.right - r.left, r.bottom - r.top), false);
    return TRUE;
}

BOOL InvalidateRgn(HWND hWnd, HRGN region, BOOL erase)
{
    if (!region)
        return InvalidateRect(hWnd, nullptr, erase);
    RECT box;
    GetRgnBox(region, &box);
    return InvalidateRect(hWnd, &box, erase);
}

BOOL ValidateRect(HWND hWnd, const RECT* rect)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return FALSE;
    if (!rect) {
        s->invalid = RECT{0, 0, 0, 0};
        s->eraseNeeded = false;
        return TRUE;
    }
    // Validating a part keeps the rest; a covering rectangle clears the invalid area.
    RECT& inv = s->invalid;
    if (rect->left <= inv.left && rect->top <= inv.top && rect->right >= inv.right && rect->bottom >= inv.bottom)
        inv = RECT{0, 0, 0, 0};
    else if (rect->top <= inv.top && rect->bottom >= inv.bottom && rect->left <= inv.left && rect->right > inv.left)
        inv.left = rect->right;
    else if (rect->top <= inv.top && rect->bottom >= inv.bottom && rect->right >= inv.right && rect->left < inv.right)
        inv.right = rect->left;
    else if (rect->left <= inv.left && rect->right >= inv.right && rect->top <= inv.top && rect->bottom > inv.top)
        inv.top = rect->bottom;
    else if (rect->left <= inv.left && rect->right >= inv.right && rect->bottom >= inv.bottom && rect->top < inv.bottom)
        inv.bottom = rect->top;
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT rect, BOOL erase)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return FALSE;
    RECT inv = IsEmptyRect(s->invalid) ? RECT{0, 0, 0, 0} : s->invalid;
    if (rect)
        *rect = inv;
    return !IsEmptyRect(inv);
}

BOOL UpdateWindow(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return FALSE;
    if (!s->surface || !IsWindowVisible(hWnd))
        return TRUE;
    if (!s->everPainted || !IsEmptyRect(s->invalid)) {
        RECT inv = s->everPainted ? s->invalid : RECT{0, 0, s->back.width, s->back.height};
        PaintNow(s);
        if ((s = StateOf(hWnd)) != nullptr)
            ShowSurfaceNow(s, inv);
    }
    return TRUE;
}

BOOL RedrawWindow(HWND hWnd, const RECT* update, HRGN updateRegion, UINT flags)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return FALSE;
    RECT r;
    const RECT* area = update;
    if (!area && updateRegion) {
        GetRgnBox(updateRegion, &r);
        area = &r;
    }
    if (flags & RDW_INVALIDATE)
        InvalidateRect(hWnd, area, (flags & RDW_ERASE) != 0);
    if (flags & RDW_VALIDATE)
        ValidateRect(hWnd, area);
    if (flags & RDW_ALLCHILDREN)
        for (HWND c : ChildrenOf(hWnd))
            RedrawWindow(c, nullptr, nullptr, flags & ~RDW_UPDATENOW);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        UpdateWindow(hWnd);
        if (flags & RDW_ALLCHILDREN)
            for (HWND c : ChildrenOf(hWnd))
                UpdateWindow(c);
    }
    return TRUE;
}

BOOL ScrollWindow(HWND hWnd, int dx, int dy, const RECT*, const RECT*)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return FALSE;
    for (HWND c : ChildrenOf(hWnd)) {
        RECT r;
        GetWindowRect(c, &r);
        POINT p{r.left, r.top};
        ScreenToClient(hWnd, &p);
        SetWindowPos(c, nullptr, p.x + dx, p.y + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return InvalidateRect(hWnd, nullptr, TRUE);
}
