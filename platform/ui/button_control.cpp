// The button class: push, default, check, radio and group buttons as toolkit controls; owner-drawn ones painted by the
// parent.

#include "ui/wx_windows.h"

namespace {

struct ButtonData {
    int check = BST_UNCHECKED;
    bool pushed = false;                // owner-drawn: pressed with the mouse inside
    HANDLE image = nullptr;             // the bitmap given with BM_SETIMAGE (the caller keeps it)
    wxWeakRef<wxRadioButton> radioOff;  // a radio button's hidden partner, checked when it is unchecked
};

ButtonData& DataOf(WindowState* s)
{
    if (!s->extra)
        s->extra = std::make_shared<ButtonData>();
    return *static_cast<ButtonData*>(s->extra.get());
}

DWORD TypeOf(const WindowState* s) { return s->style & BS_TYPEMASK; }

bool IsCheck(DWORD t) { return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE; }
bool IsRadio(DWORD t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }

void ShowCheck(WindowState* s, int check)
{
    DataOf(s).check = check;
    if (auto* cb = dynamic_cast<wxCheckBox*>(s->native)) {
        if (cb->Is3State())
            cb->Set3StateValue(check == BST_INDETERMINATE ? wxCHK_UNDETERMINED
                               : check                    ? wxCHK_CHECKED
                                                          : wxCHK_UNCHECKED);
        else
            cb->SetValue(check != 0);
    } else if (auto* rb = dynamic_cast<wxRadioButton*>(s->native)) {
        if (check)
            rb->SetValue(true);
        else if (wxRadioButton* off = DataOf(s).radioOff)
            off->SetValue(true);
    } else if (auto* tb = dynamic_cast<wxToggleButton*>(s->native)) {
        tb->SetValue(check != 0);
    }
}

// The toolkit copy of a bitmap handle's pixels; an invalid bitmap for anything else.
wxBitmap WxBitmapOf(HBITMAP bitmap)
{
    BITMAP bm{};
    if (!bitmap || GetObject(bitmap, sizeof(bm), &bm) != sizeof(bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return wxNullBitmap;
    int w = bm.bmWidth, h = bm.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint8_t> bgrx((size_t)w * h * 4);
    HDC dc = CreateCompatibleDC(nullptr);
    int rows = GetDIBits(dc, bitmap, 0, (UINT)h, bgrx.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (rows != h)
        return wxNullBitmap;
    wxImage img(w, h, false);
    unsigned char* out = img.GetData();
    for (size_t i = 0; i < (size_t)w * h; ++i, out += 3) {
        out[0] = bgrx[i * 4 + 2];
        out[1] = bgrx[i * 4 + 1];
        out[2] = bgrx[i * 4];
    }
    return wxBitmap(img);
}

// An automatic radio button unchecks the other radio buttons of its group.
void UncheckGroupSiblings(WindowState* s)
{
    std::vector<HWND> sibs = ChildrenOf(s->parent);
    auto me = std::find(sibs.begin(), sibs.end(), s->hwnd);
    if (me == sibs.end())
        return;
    auto first = me;
    while (first != sibs.begin() && !(StateOf(*first) && (StateOf(*first)->style & WS_GROUP)))
        --first;
    for (auto it = first; it != sibs.end(); ++it) {
        WindowState* o = StateOf(*it);
        if (!o)
            continue;
        if (it != first && (o->style & WS_GROUP))
            break;
        if (*it != s->hwnd && o->cls == s->cls && IsRadio(TypeOf(o)))
            ShowCheck(o, BST_UNCHECKED);
    }
}

// What a click does to the button's own state before the parent hears of it.
void Clicked(HWND h)
{
    WindowState* s = StateOf(h);
    if (!s)
        return;
    DWORD t = TypeOf(s);
    if (t == BS_AUTOCHECKBOX)
        ShowCheck(s, DataOf(s).check ? BST_UNCHECKED : BST_CHECKED);
    else if (t == BS_AUTO3STATE)
        ShowCheck(s, (DataOf(s).check + 1) % 3);
    else if (t == BS_AUTORADIOBUTTON) {
        ShowCheck(s, BST_CHECKED);
        UncheckGroupSiblings(s);
    } else if (IsCheck(t) || IsRadio(t))
        ShowCheck(s, DataOf(s).check);  // the owner sets the state itself
    NotifyParent(s, BN_CLICKED);
}

void PaintOwnerDrawn(HWND h, WindowState* s)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = (UINT)s->id;
    dis.itemAction = ODA_DRAWENTIRE;
    if (DataOf(s).pushed)
        dis.itemState |= ODS_SELECTED;
    if (GetFocus() == h)
        dis.itemState |= ODS_FOCUS;
    if (s->style & WS_DISABLED)
        dis.itemState |= ODS_DISABLED;
    dis.hwndItem = h;
    dis.hDC = dc;
    GetClientRect(h, &dis.rcItem);
    SelectObject(dc, s->font ? s->font : DefaultGuiFont());
    SendMessage(s->parent, WM_DRAWITEM, (WPARAM)s->id, (LPARAM)&dis);
    EndPaint(h, &ps);
}

LRESULT OwnerDrawnInput(HWND h, WindowState* s, UINT message, LPARAM lParam)
{
    ButtonData& d = DataOf(s);
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT r;
    GetClientRect(h, &r);
    bool inside = p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
    switch (message) {
    case WM_LBUTTONDBLCLK: NotifyParent(s, BN_DOUBLECLICKED); [[fallthrough]];
    case WM_LBUTTONDOWN:
        SetFocus(h);
        SetCapture(h);
        d.pushed = true;
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == h && d.pushed != inside) {
            d.pushed = inside;
            InvalidateRect(h, nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() != h)
            return 0;
        ReleaseCapture();
        if ((s = StateOf(h)) != nullptr && DataOf(s).pushed) {
            DataOf(s).pushed = false;
            InvalidateRect(h, nullptr, FALSE);
            NotifyParent(s, BN_CLICKED);
        }
        return 0;
    }
    return 0;
}

}  // namespace

wxWindow* CreateButtonControl(WindowState* s, wxWindow* parent, const wxRect& rect)
{
    DWORD t = TypeOf(s);
    wxString label = wxString::FromUTF8(s->text);
    HWND h = s->hwnd;
    wxWindow* w = nullptr;
    if (t == BS_GROUPBOX) {
        w = new wxStaticBox(parent, wxID_ANY, label, rect.GetPosition(), rect.GetSize());
    } else if (IsCheck(t) && (s->style & BS_PUSHLIKE)) {
        auto* tb = new wxToggleButton(parent, wxID_ANY, label, rect.GetPosition(), rect.GetSize());
        tb->Bind(wxEVT_TOGGLEBUTTON, [h](wxCommandEvent&) { Clicked(h); });
        w = tb;
    } else if (IsCheck(t)) {
        long style = (t == BS_3STATE || t == BS_AUTO3STATE) ? wxCHK_3STATE | wxCHK_ALLOW_3RD_STATE_FOR_USER : 0;
        if (s->style & BS_LEFTTEXT)
            style |= wxALIGN_RIGHT;
        auto* cb = new wxCheckBox(parent, wxID_ANY, label, rect.GetPosition(), rect.GetSize(), style);
        cb->Bind(wxEVT_CHECKBOX, [h](wxCommandEvent&) { Clicked(h); });
        w = cb;
    } else if (IsRadio(t)) {
        // The toolkit's radio buttons can only be unchecked by checking another of their group: each one
        // starts its own group with a hidden partner (the group rules are the layer's, not the toolkit's).
        auto* off = new wxRadioButton(parent, wxID_ANY, wxEmptyString, rect.GetPosition(), wxSize(1, 1), wxRB_GROUP);
        off->Hide();
        auto* rb = new wxRadioButton(parent, wxID_ANY, label, rect.GetPosition(), rect.GetSize());
        off->SetValue(true);
        DataOf(s).radioOff = off;
        rb->Bind(wxEVT_RADIOBUTTON, [h](wxCommandEvent&) { Clicked(h); });
        rb->Bind(wxEVT_DESTROY, [ref = wxWeakRef<wxRadioButton>(off), rb](wxWindowDestroyEvent& e) {
            if (ref && e.GetEventObject() == rb)
                ref->Destroy();
            e.Skip();
        });
        w = rb;
    } else {
        auto* b = new wxButton(parent, wxID_ANY, label, rect.GetPosition(), rect.GetSize(), wxBU_EXACTFIT);
        b->Bind(wxEVT_BUTTON, [h](wxCommandEvent&) { Clicked(h); });
        if (t == BS_DEFPUSHBUTTON)
            b->SetDefault();
        w = b;
    }
    DataOf(s);
    return w;
}

LRESULT CALLBACK ButtonProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(h);
    if (!s)
        return 0;
    bool ownerDrawn = TypeOf(s) == BS_OWNERDRAW && s->surface;
    switch (message) {
    case BM_GETCHECK: return DataOf(s).check;
    case BM_SETCHECK: ShowCheck(s, (int)wParam); return 0;
    case BM_GETSTATE: return DataOf(s).check | (DataOf(s).pushed ? BST_PUSHED : 0) | (GetFocus() == h ? BST_FOCUS : 0);
    case BM_SETSTATE:
        DataOf(s).pushed = wParam != 0;
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case BM_GETIMAGE: return reinterpret_cast<LRESULT>(wParam == IMAGE_BITMAP ? DataOf(s).image : nullptr);
    case BM_SETIMAGE: {
        if (wParam != IMAGE_BITMAP)
            return 0;
        HANDLE old = DataOf(s).image;
        DataOf(s).image = reinterpret_cast<HANDLE>(lParam);
        if (auto* b = dynamic_cast<wxAnyButton*>(s->native)) {
            wxBitmap bmp = WxBitmapOf(reinterpret_cast<HBITMAP>(lParam));
            b->SetBitmap(bmp.IsOk() ? bmp : wxNullBitmap);
        }
        return reinterpret_cast<LRESULT>(old);
    }
    case BM_CLICK:
        if (!(s->style & WS_DISABLED))
            Clicked(h);
        return 0;
    case BM_SETSTYLE:
        s->style = (s->style & ~0xFFFFu) | (DWORD)(wParam & 0xFFFF);
        if (auto* b = dynamic_cast<wxButton*>(s->native))
            if ((wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                b->SetDefault();
        return 0;
    case WM_GETDLGCODE: {
        DWORD t = TypeOf(s);
        if (IsRadio(t))
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (t == BS_DEFPUSHBUTTON)
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (t == BS_PUSHBUTTON || t == BS_OWNERDRAW)
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        return DLGC_BUTTON;
    }
    case WM_PAINT:
        if (ownerDrawn) {
            PaintOwnerDrawn(h, s);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        if (ownerDrawn)
            return 1;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (ownerDrawn)
            InvalidateRect(h, nullptr, FALSE);
        if (s->style & BS_NOTIFY)
            NotifyParent(s, message == WM_SETFOCUS ? BN_SETFOCUS : BN_KILLFOCUS);
        return 0;
    case WM_KEYUP:
        if (ownerDrawn && wParam == VK_SPACE) {
            NotifyParent(s, BN_CLICKED);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
        if (ownerDrawn)
            return OwnerDrawnInput(h, s, message, lParam);
        break;
    case WM_CAPTURECHANGED:
        if (ownerDrawn && DataOf(s).pushed) {
            DataOf(s).pushed = false;
            InvalidateRect(h, nullptr, FALSE);
        }
        return 0;
    case WM_ENABLE: InvalidateRect(h, nullptr, FALSE); return 0;
    }
    if (ownerDrawn)
        return DefWindowProc(h, message, wParam, lParam);
    return NativeDefault(h, message, wParam, lParam);
}
