// CWnd: the class-library window object over a window handle, with message routing and the window operations.
#pragma once

#include "gdi/afxgdi.h"
#include "kernel/cstring.h"
#include "kernel/geometry.h"
#include "ui/msgmap.h"

class CMenu;
class CScrollBar;
class CDataExchange;

// Control colour kinds of OnCtlColor.
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6

// The message being handled on this thread (window, message and parameters).
const MSG* AfxGetCurrentMessage();

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // Both answer null for a null object pointer, as class-library code expects.
    operator HWND() const { return GetSafeHwnd(); }
    HWND GetSafeHwnd() const;
    bool operator==(const CWnd& other) const { return m_hWnd == other.m_hWnd; }

    // Handle maps: FromHandle makes a temporary wrapper for a window without its own object.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Creation and destruction.
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                        void* context = nullptr);
    virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                          int height, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();

    // Message handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL PreTranslateMessage(MSG* msg);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);
    LRESULT Default();
    static const MSG* GetCurrentMessage() { return AfxGetCurrentMessage(); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE);

    // Data exchange.
    virtual void DoDataExchange(CDataExchange* dx);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Text and font.
    void SetWindowText(LPCTSTR text);
    int GetWindowText(LPTSTR text, int maxCount) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON icon, BOOL big);
    HICON GetIcon(BOOL big) const;

    // Dialog items.
    CWnd* GetDlgItem(int id) const;
    void GetDlgItem(int id, HWND* hWnd) const;
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, LPTSTR text, int maxCount) const;
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId);
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;

    // Relations.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* newParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* owner);
    CWnd* GetTopLevelParent() const;
    CWnd* GetParentOwner() const;
    CWnd* GetWindow(UINT relation) const;
    CWnd* GetNextWindow(UINT relation = GW_HWNDNEXT) const;
    CWnd* GetTopWindow() const;
    BOOL IsChild(const CWnd* wnd) const;
    CWnd* ChildWindowFromPoint(POINT point) const;
    static CWnd* GetDesktopWindow();
    static CWnd* GetFocus();
    CWnd* SetFocus();
    static CWnd* GetCapture();
    CWnd* SetCapture();
    static CWnd* GetActiveWindow();
    static CWnd* GetForegroundWindow();
    BOOL SetForegroundWindow();
    CWnd* SetActiveWindow();
    static CWnd* FindWindow(LPCTSTR className, LPCTSTR windowName);
    static CWnd* WindowFromPoint(POINT point);

    // State and geometry.
    BOOL ShowWindow(int cmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
    void MapWindowPoints(CWnd* to, LPRECT rect) const;
    int SetWindowRgn(HRGN region, BOOL redraw);
    void CenterWindow(CWnd* alternateOwner = nullptr);
    void BringWindowToTop();
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    BOOL FlashWindow(BOOL invert);
    void DragAcceptFiles(BOOL accept = TRUE);

    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // Painting.
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void InvalidateRgn(CRgn* region, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT update = nullptr, CRgn* region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE);
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* dc);
    CDC* BeginPaint(LPPAINTSTRUCT paint);
    void EndPaint(LPPAINTSTRUCT paint);
    void ScrollWindow(int dx, int dy, LPCRECT scrollRect = nullptr, LPCRECT clipRect = nullptr);

    // Timers.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void(CALLBACK* proc)(HWND, UINT, UINT_PTR, DWORD));
    BOOL KillTimer(UINT_PTR id);

    // The window's own scroll bars.
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
    int GetScrollPos(int bar) const;
    void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
    void GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const;
    BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL);
    int GetScrollLimit(int bar);
    void ShowScrollBar(UINT bar, BOOL show = TRUE);
    BOOL EnableScrollBar(int bar, UINT arrows = ESB_ENABLE_BOTH);

    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

    // Default handlers: each does what the window would do without the handler.
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnIconEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMButtonDown(UINT flags, CPoint point);
    afx_msg void OnMButtonUp(UINT flags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnSysKeyDown(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnSysKeyUp(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnSysChar(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnSysDeadChar(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnSetFocus(CWnd* oldWnd);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnChildActivate();
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
    afx_msg void OnActivateApp(BOOL active, DWORD threadId);
    afx_msg void OnSettingChange(UINT flags, LPCTSTR section);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);
    afx_msg int OnCompareItem(int id, LPCOMPAREITEMSTRUCT cis);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* mmi);
    afx_msg void OnWindowPosChanging(WINDOWPOS* pos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* pos);
    afx_msg void OnContextMenu(CWnd* wnd, CPoint point);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT hitTest, CPoint point);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnDropFiles(HDROP drop);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnCaptureChanged(CWnd* wnd);
    afx_msg UINT OnGetDlgCode();
    afx_msg int OnMouseActivate(CWnd* top, UINT hitTest, UINT message);
    afx_msg void OnEnterMenuLoop(BOOL isTrackPopup);
    afx_msg void OnExitMenuLoop(BOOL isTrackPopup);
    afx_msg void OnEnterSizeMove();
    afx_msg void OnExitSizeMove();
    afx_msg void OnSizing(UINT side, LPRECT rect);
    afx_msg void OnNcPaint();
    afx_msg void OnInitMenuPopup(CMenu* menu, UINT index, BOOL sysMenu);

    DECLARE_MESSAGE_MAP()

private:
    explicit CWnd(HWND constant) : m_hWnd(constant) {}
};

#include "ui/msgmap_wm.h"

// The application's main window and instance.
CWnd* AfxGetMainWnd();

// Window classes for class-library windows: a class with these attributes and the default procedure
// (its name stays valid for the run), and a class registered unless it exists.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);
BOOL AfxRegisterClass(WNDCLASS* wc);
