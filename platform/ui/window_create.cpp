// CreateWindowEx and DestroyWindow: the HWND record, its wx window and the creation and destruction messages.
#include "ui/wx_windows.h"

namespace {

long FrameStyleOf(DWORD style, DWORD exStyle, bool owned)
{
    long fs = wxFRAME_SHAPED;  // any top-level window may be given a region later
    if ((style & WS_CAPTION) == WS_CAPTION) {
        fs |= wxCAPTION;
        if (style & WS_SYSMENU)
            fs |= wxSYSTEM_MENU | wxCLOSE_BOX;
        if (style & WS_MINIMIZEBOX)
            fs |= wxMINIMIZE_BOX;
        if (style & WS_MAXIMIZEBOX)
            fs |= wxMAXIMIZE_BOX;
    } else {
        fs |= wxBORDER_NONE;
    }
    if (style & WS_THICKFRAME)
        fs |= wxRESIZE_BORDER;
    if (owned || (exStyle & WS_EX_TOOLWINDOW))
        fs |= wxFRAME_NO_TASKBAR;
    if (owned)
        fs |= wxFRAME_FLOAT_ON_PARENT;
    if (exStyle & WS_EX_TOPMOST)
        fs |= wxSTAY_ON_TOP;
    return fs;
}

bool IsDesktop(HWND h) { return h == GetDesktopWindow(); }

}  // namespace

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, HINSTANCE, LPVOID param)
{
    const WindowClass* cls = FindWindowClass(className);
    if (!cls || !wxTheApp)  // windows need the window system started (AfxWinInit)
        return nullptr;
    // A child of the desktop is a top-level window that stays above the others and out of the task bar.
    bool desktopChild = (style & WS_CHILD) && IsDesktop(parent);
    if (IsDesktop(parent))
        parent = nullptr;
    bool child = (style & WS_CHILD) && parent;
    if (child && !StateOf(parent))
        return nullptr;
    if (!child)
        style &= ~WS_CHILD;

    auto st = std::make_unique<WindowState>();
    st->cls = cls;
    st->proc = cls->proc;
    st->style = style;
    st->exStyle = exStyle;
    st->id = child ? (int)(intptr_t)menuOrId : 0;
    st->menu = child ? nullptr : menuOrId;
    st->parent = parent;
    st->text = windowName && !IS_INTRESOURCE(windowName) ? windowName : "";
    WindowState* s = st.get();
    HWND h = NewHandle(std::move(st));

    // A class-library object creating this window sees every message from the first one on.
    AttachCreatingObject(h);

    if (x == CW_USEDEFAULT)
        x = y = 0;
    if (width == CW_USEDEFAULT)
        width = height = 0;
    wxRect rect(x, y, width < 0 ? 0 : width, height < 0 ? 0 : height);
    if (cls->name == "tooltips_class32") {
        s->kind = WxKind::Surface;  // tooltips live on the tools' own windows
    } else if (child) {
        wxWindow* container = ContainerOf(parent);
        bool ownerDraw = (cls->name == "button" && (style & BS_TYPEMASK) == BS_OWNERDRAW) ||
                         (cls->name == "syslistview32" && (style & 0x0400));  // LVS_OWNERDRAWFIXED
        if (cls->name == "syslistview32" && ownerDraw)
            s->style |= WS_VSCROLL;  // the owner-drawn list scrolls its rows with its own bar
        // An object that paints itself gets a painted window, decided here once; an edit keeps its text box
        // (its object hears its messages either way).
        if (cls->native && !ownerDraw && (cls->name == "edit" || !ObjectPaintsItself(h))) {
            s->kind = WxKind::Native;
            s->native = CreateNativeControl(s, container, rect);
            s->outer = s->native;
        }
        if (!s->native) {
            s->kind = WxKind::Surface;
            long ws = (exStyle & WS_EX_CLIENTEDGE)   ? wxBORDER_SUNKEN
                      : (style & WS_BORDER)          ? wxBORDER_SIMPLE
                      : (exStyle & WS_EX_STATICEDGE) ? wxBORDER_THEME
                                                     : wxBORDER_NONE;
            s->surface = new SurfaceWindow(container, h, rect, ws);
            s->outer = s->surface;
        }
    } else {
        WindowState* owner = parent ? StateOf(parent) : nullptr;
        wxWindow* ownerWx = owner && owner->frame ? owner->frame : nullptr;
        s->kind = WxKind::Frame;
        long fs = FrameStyleOf(style, exStyle, ownerWx != nullptr);
        if (desktopChild)
            fs |= wxFRAME_NO_TASKBAR | wxSTAY_ON_TOP;
        s->frame = new TopFrame(ownerWx, h, wxString::FromUTF8(s->text), rect, fs);
        s->noActivate = desktopChild;
        if (desktopChild)
            MakeDropDownWindow(s->frame);
        s->outer = s->frame;
        if (width > 0 && height > 0)
            s->frame->SetSize(rect);
        wxSize c = s->frame->GetClientSize();
        long ws = (exStyle & WS_EX_CLIENTEDGE)                                  ? wxBORDER_SUNKEN
                  : ((style & WS_BORDER) && (style & WS_CAPTION) != WS_CAPTION) ? wxBORDER_SIMPLE
                                                                                : wxBORDER_NONE;
        s->surface = new SurfaceWindow(s->frame, h, wxRect(0, 0, c.x, c.y), ws);
    }
    if (s->outer) {
        s->outer->SetClientData(h);
        if ((style & WS_DISABLED) && !s->frame)
            s->outer->Enable(false);
        if (child && !(style & WS_VISIBLE))
            s->outer->Hide();
    }
    if (s->surface)
        LayoutWindowScrollBars(s);

    CREATESTRUCT cs{param, nullptr, menuOrId, parent, height, width, y, x, (LONG)style, windowName, className, exStyle};
    if (!SendMessage(h, WM_NCCREATE, 0, (LPARAM)&cs) || SendMessage(h, WM_CREATE, 0, (LPARAM)&cs) == -1) {
        DestroyWindow(h);
        return nullptr;
    }
    if (!IsWindow(h))
        return nullptr;
    if ((s = StateOf(h)) != nullptr)
        SyncClientSize(s);
    if ((s = StateOf(h)) != nullptr && s->native && s->cls->name == "edit")
        ApplyCtlColors(s, (style & ES_READONLY) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    else if (s && s->native && s->cls->name == "listbox")
        ApplyCtlColors(s, WM_CTLCOLORLISTBOX);
    SendMessage(h, WM_MOVE, 0, MAKELPARAM(x, y));
    if ((s = StateOf(h)) != nullptr && !child)
        UpdateTitleLock(s, true);
    if (!child && (style & WS_VISIBLE))
        ShowWindow(h, SW_SHOW);
    return h;
}

BOOL DestroyWindow(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    if (!s || s->destroying)
        return FALSE;
    s->destroying = true;
    if (GetCapture() == hWnd)
        ReleaseCapture();
    // Owned top-level windows go first, as the window manager destroys them with their owner.
    for (HWND top : TopLevelWindows())
        if (StateOf(top) && StateOf(top)->parent == hWnd)
            DestroyWindow(top);
    if (s->isDialog && !s->dialogEnded) {
        s->dialogEnded = true;
        s->dialogResult = -1;
    }
    SendMessage(hWnd, WM_DESTROY, 0, 0);
    for (HWND c : ChildrenOf(hWnd))
        DestroyWindow(c);
    SendMessage(hWnd, WM_NCDESTROY, 0, 0);
    s = StateOf(hWnd);
    if (!s)
        return TRUE;
    KillAllTimers(hWnd);
    UpdateTitleLock(s, false);
    FreeBackingSurface(s);
    if (s->ownedFont)
        DeleteObject(s->ownedFont);
    if (s->region)
        DeleteObject(s->region);  // the window owned it since SetWindowRgn
    wxWindow* w = s->outer;
    if (w) {
        w->SetClientData(nullptr);
        if (s->surface && s->surface != w)
            s->surface->SetClientData(nullptr);
        if (s->frame) {
            s->frame->Hide();
            s->frame->Destroy();
        } else {
            w->Hide();
            wxWeakRef<wxWindow> ref(w);
            wxTheApp->CallAfter([ref]() {
                if (ref)
                    ref->Destroy();
            });
        }
    }
    ReleaseHandle(hWnd);
    return TRUE;
}
