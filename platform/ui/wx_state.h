// Internal: the per-window record behind every HWND and the wx windows that carry it (wx side only).
#pragma once

// Every toolkit header the layer uses comes before the layer's own headers, whose GDI names
// (DrawText, GetCharWidth, ...) are macros that must not reach the toolkit's declarations.
#include <wx/wx.h>
#include <wx/combobox.h>
#include <wx/dirdlg.h>
#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/gauge.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/mstream.h>
#include <wx/slider.h>
#include <wx/taskbar.h>
#include <wx/tglbtn.h>
#include <wx/tooltip.h>
#include <wx/uiaction.h>
#include <wx/vlbox.h>
#include <wx/weakref.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#undef _T  // the layer's own _T follows
#include "ui/window_link.h"
#include "ui/winuser.h"

class CWnd;
class SurfaceWindow;
class TopFrame;

// What a window is on the wx side.
enum class WxKind {
    Surface,  // our own window, painted through its backing surface
    Frame,    // top-level: a frame holding a surface client
    Native    // a wx control that draws itself
};

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
    bool native = false;  // the class's windows are wx controls
};

struct BackingSurface {
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;  // 32-bit top-down BGRX rows
    int width = 0;
    int height = 0;
};

struct WindowState {
    HWND hwnd = nullptr;
    const WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;       // current window procedure
    WNDPROC superProc = nullptr;  // the procedure a class-library object passes unhandled messages to
    CWnd* cwnd = nullptr;         // the attached class-library object
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    HWND parent = nullptr;  // parent of a child, owner of a top-level
    std::string text;
    LONG_PTR userData = 0;
    HFONT font = nullptr;
    HFONT ownedFont = nullptr;  // the font a dialog made from its template
    HMENU menu = nullptr;
    HRGN region = nullptr;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;

    WxKind kind = WxKind::Surface;
    wxWindow* outer = nullptr;         // the wx window positioned in the parent
    SurfaceWindow* surface = nullptr;  // the painted client (Surface and Frame kinds)
    wxWindow* native = nullptr;        // the wx control (Native kind)
    TopFrame* frame = nullptr;         // the frame (Frame kind)

    // Painting.
    void InstallWindowDcProvider();
    BackingSurface back;
    RECT invalid{0, 0, 0, 0};
    bool eraseNeeded = false;
    bool everPainted = false;
    bool inPaint = false;

    // Dialog state.
    bool isDialog = false;
    bool dialogEnded = false;
    INT_PTR dialogResult = 0;
    int defaultId = IDOK;
    LONG_PTR msgResult = 0;
    int baseUnitX = 6;
    int baseUnitY = 13;
    // A dialog's client size from its template, put back when a window manager's frame takes its room out of the
    // window; 0 once the program sizes the window itself.
    int keptClientWidth = 0;
    int keptClientHeight = 0;
    int keptClientTries = 0;

    int sentWidth = -1;  // last size reported by WM_SIZE
    int sentHeight = -1;

    bool noActivate = false;  // shown without taking the activation (drop-down windows)
    bool destroying = false;
    bool tracking = false;  // moving or sizing by a posted non-client press
    int trackHit = 0;
    wxPoint trackStart;
    wxRect trackRect;
    // A frame without a resize border is one the window manager will not maximise: it is maximised here, over
    // the display's work area, and its normal rectangle kept for the restore.
    bool zoomed = false;
    wxRect unzoomedRect;

    // Scroll bars of a window with WS_HSCROLL / WS_VSCROLL.
    wxScrollBar* vscroll = nullptr;
    wxScrollBar* hscroll = nullptr;
    SCROLLINFO vinfo{sizeof(SCROLLINFO), 0, 0, 100, 0, 0, 0};
    SCROLLINFO hinfo{sizeof(SCROLLINFO), 0, 0, 100, 0, 0, 0};

    // Per-control data kept by the native class procedures.
    std::vector<LPARAM> itemData;
    std::shared_ptr<void> extra;
};

// Handle table.
WindowState* StateOf(HWND hWnd);  // null for an unknown or destroyed handle
HWND NewHandle(std::unique_ptr<WindowState> state);
void ReleaseHandle(HWND hWnd);
std::vector<HWND> ChildrenOf(HWND parent);  // in creation (z) order
std::vector<HWND> TopLevelWindows();
HWND HandleOfWx(wxWindow* w);  // the HWND carried by a wx window or its nearest ancestor

// Classes.
const WindowClass* FindWindowClass(const char* name);
void RegisterBuiltinClasses();

// wx window of a parent that children are placed in.
wxWindow* ContainerOf(HWND hWnd);

// Runs on the UI thread; true when the caller is on it.
bool OnUiThread();

// Thread-local marker: a native control's own handling was reached for the current input message.
void MarkNativeDefault();
bool TakeNativeDefault();

// Input: turns a wx event into window messages, running pre-translation first. Returns true when the
// message reached the native control's own handling (the wx event should then be skipped on).
bool DeliverInput(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
bool InputBlocked(HWND hWnd);
// The latest DeliverInput stopped before the window procedure (blocked, or taken by pre-translation).
bool InputConsumedBeforeDispatch();

// Fills a MSG with the current time and cursor.
MSG MakeMsg(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Virtual-key code for a wx key code, 0 when none.
int VirtualKeyOf(int wxKey);
int WxKeyOf(int vk);

// Painting.
void InstallWindowDcProvider();
void EnsureBackingSurface(WindowState* s);
void PaintSurface(WindowState* s, wxDC& dc, const wxRegion& exposed);
void FreeBackingSurface(WindowState* s);

// Scroll bars that belong to a window (WS_HSCROLL / WS_VSCROLL).
void LayoutWindowScrollBars(WindowState* s);

// Modal loops.
int RunModalLoop(HWND dialog);  // until EndDialog or the quit message
void NotifyDialogEnded();       // ends the innermost loop once its dialog has ended
void RunMessageLoop();          // until the quit message

// Resizes a frame's surface to its client area and sends WM_SIZE when the client size changed.
void SyncClientSize(WindowState* s, WPARAM type = SIZE_RESTORED);

// The pseudo handle of a window with a given title in another process.
HWND ForeignWindowHandle();
// Keeps the per-user title lock of a top-level window in step with its title.
void UpdateTitleLock(WindowState* s, bool alive);

// The latest tray icon of the window could not be added (no notification area): hiding it would leave no
// way back to it.
bool TrayIconAddFailed(HWND hWnd);

// Starts telling top-level windows of desktop changes (a notification area appearing, the work area).
void StartDesktopWatch();
void StopDesktopWatch();

// The window has a region (SetWindowRgn) that leaves out this screen point.
bool RegionExcludes(HWND hWnd, const wxPoint& screen);

// Runs the messages other threads are sending to windows (on the UI thread).
void RunCrossThreadSends();

// Stops every timer of a window being destroyed.
void KillAllTimers(HWND hWnd);

// Non-client dragging and sizing started by WM_NCLBUTTONDOWN.
void BeginTrackMove(WindowState* s, int hit);
void ContinueTrackMove(WindowState* s, const wxMouseEvent& e);

// The pointer position of the latest mouse event; synthesized events (no time stamp) move it too.
void NotePointer(const wxPoint& screen, bool synthesized);

// Focus moved to a window (by SetFocus or by the toolkit): WM_KILLFOCUS and WM_SETFOCUS follow.
void FocusChanged(HWND newFocus);
// While the window holding the focus is hidden, its top-level's surface takes the toolkit's keys (Park); the window
// gets them back when it shows again (Return). KeyTarget: the window a key (or the toolkit's focus) that
// reached receiver is for.
void ParkKeyboardFocus(HWND hidden);
void ReturnKeyboardFocus(HWND shown);
HWND KeyTarget(HWND receiver);

// wx font for a GDI font handle (the default GUI font for null).
wxFont WxFontOf(HFONT font);

// The layer's default GUI font handle.
HFONT DefaultGuiFont();

// Colour helpers.
inline wxColour WxColour(COLORREF c) { return wxColour(GetRValue(c), GetGValue(c), GetBValue(c)); }

// Creates the wx side of a native control class; null when the class is not native.
wxWindow* CreateNativeControl(WindowState* s, wxWindow* parent, wxRect rect);

// Lets the parent show through a native control's background (a hollow WM_CTLCOLOR brush), or stops it.
void SetNativeTransparent(wxWindow* control, bool on);

// Shared by the native control procedures.
void ApplyCtlColors(WindowState* s, UINT message);
LRESULT NativeDefault(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void NotifyParent(WindowState* s, WORD code);          // WM_COMMAND with the control's id and a code
LRESULT SendNotify(HWND hWnd, NMHDR& hdr, UINT code);  // WM_NOTIFY to the parent; 0 without one
// WM_GETTEXT's copy: at most max - 1 bytes and a terminator into the buffer; answers the bytes copied.
LRESULT CopyWindowText(const std::string& text, WPARAM max, LPARAM buffer);

// The toolkit frame of a window's top-level ancestor, the owner of the dialogs it opens; null for none.
wxWindow* OwnerFrameWx(HWND owner);

// Stock cursor or resource cursor.
wxCursor WxCursorOf(HCURSOR cursor);

// The toolkit icon of an icon handle (an empty icon for the stock ones).
wxIcon WxIconOf(HICON icon);
