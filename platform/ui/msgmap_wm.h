// Message-map entries for the window messages, each cracking the parameters into the handler's arguments.
#pragma once

#include "ui/msgmap.h"

#define KESTRIN_WND(h) CWnd::FromHandle(reinterpret_cast<HWND>(h))
#define KESTRIN_DC(h) CDC::FromHandle(reinterpret_cast<HDC>(h))
#define KESTRIN_PT(l) CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l))

#define ON_WM_CREATE() KESTRIN_MSG_ENTRY(WM_CREATE, *result = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)))
#define ON_WM_DESTROY() KESTRIN_MSG_ENTRY(WM_DESTROY, self->OnDestroy())
#define ON_WM_NCDESTROY() KESTRIN_MSG_ENTRY(WM_NCDESTROY, self->OnNcDestroy())
#define ON_WM_CLOSE() KESTRIN_MSG_ENTRY(WM_CLOSE, self->OnClose())
#define ON_WM_PAINT() KESTRIN_MSG_ENTRY(WM_PAINT, self->OnPaint())
#define ON_WM_ERASEBKGND() KESTRIN_MSG_ENTRY(WM_ERASEBKGND, *result = self->OnEraseBkgnd(KESTRIN_DC(wParam)))
#define ON_WM_ICONERASEBKGND() KESTRIN_MSG_ENTRY(WM_ICONERASEBKGND, self->OnIconEraseBkgnd(KESTRIN_DC(wParam)))
#define ON_WM_SIZE() \
    KESTRIN_MSG_ENTRY(WM_SIZE, self->OnSize((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam)))
#define ON_WM_MOVE() KESTRIN_MSG_ENTRY(WM_MOVE, self->OnMove((short)LOWORD(lParam), (short)HIWORD(lParam)))
#define ON_WM_TIMER() KESTRIN_MSG_ENTRY(WM_TIMER, self->OnTimer(wParam))
#define ON_WM_SETCURSOR() \
    KESTRIN_MSG_ENTRY(WM_SETCURSOR, *result = self->OnSetCursor(KESTRIN_WND(wParam), LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_MOUSEMOVE() KESTRIN_MSG_ENTRY(WM_MOUSEMOVE, self->OnMouseMove((UINT)wParam, KESTRIN_PT(lParam)))
#define ON_WM_LBUTTONDOWN() KESTRIN_MSG_ENTRY(WM_LBUTTONDOWN, self->OnLButtonDown((UINT)wParam, KESTRIN_PT(lParam)))
#define ON_WM_LBUTTONUP() KESTRIN_MSG_ENTRY(WM_LBUTTONUP, self->OnLButtonUp((UINT)wParam, KESTRIN_PT(lParam)))
#define ON_WM_LBUTTONDBLCLK() \
    KESTRIN_MSG_ENTRY(WM_LBUTTONDBLCLK, self->OnLButtonDblClk((UINT)wParam, KESTRIN_PT(lParam)))
#define ON_WM_RBUTTONDOWN() KESTRIN_MSG_ENTRY(WM_RBUTTONDOWN, self->OnRButtonDown((UINT)wParam, KESTRIN_PT(lParam)))
#define ON_WM_RBUTTONUP() KESTRIN_MSG_ENTRY(WM_RBUTTONUP, self->OnRButtonUp((UINT)wParam, KESTRIN_PT(lParam)))
#define ON_WM_RBUTTONDBLCLK() \
    KESTRIN_MSG_ENTRY(WM_RBUTTONDBLCLK, self->OnRButtonDblClk((UINT)wParam, KESTRIN_PT(lParam)))
#define ON_WM_MBUTTONDOWN() KESTRIN_MSG_ENTRY(WM_MBUTTONDOWN, self->OnMButtonDown((UINT)wParam, KESTRIN_PT(lParam)))
#define ON_WM_MBUTTONUP() KESTRIN_MSG_ENTRY(WM_MBUTTONUP, self->OnMButtonUp((UINT)wParam, KESTRIN_PT(lParam)))
#define ON_WM_MOUSEWHEEL()           \
    KESTRIN_MSG_ENTRY(WM_MOUSEWHEEL, \
                      *result = self->OnMouseWheel(LOWORD(wParam), (short)HIWORD(wParam), KESTRIN_PT(lParam)))
#define ON_WM_MOUSELEAVE() KESTRIN_MSG_ENTRY(WM_MOUSELEAVE, self->OnMouseLeave())
#define ON_WM_KEYDOWN() KESTRIN_MSG_ENTRY(WM_KEYDOWN, self->OnKeyDown((UINT)wParam, LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_KEYUP() KESTRIN_MSG_ENTRY(WM_KEYUP, self->OnKeyUp((UINT)wParam, LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_CHAR() KESTRIN_MSG_ENTRY(WM_CHAR, self->OnChar((UINT)wParam, LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_SYSKEYDOWN() \
    KESTRIN_MSG_ENTRY(WM_SYSKEYDOWN, self->OnSysKeyDown((UINT)wParam, LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_SYSKEYUP() KESTRIN_MSG_ENTRY(WM_SYSKEYUP, self->OnSysKeyUp((UINT)wParam, LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_SYSCHAR() KESTRIN_MSG_ENTRY(WM_SYSCHAR, self->OnSysChar((UINT)wParam, LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_SYSDEADCHAR() \
    KESTRIN_MSG_ENTRY(WM_SYSDEADCHAR, self->OnSysDeadChar((UINT)wParam, LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_SETFOCUS() KESTRIN_MSG_ENTRY(WM_SETFOCUS, self->OnSetFocus(KESTRIN_WND(wParam)))
#define ON_WM_KILLFOCUS() KESTRIN_MSG_ENTRY(WM_KILLFOCUS, self->OnKillFocus(KESTRIN_WND(wParam)))
#define ON_WM_ENABLE() KESTRIN_MSG_ENTRY(WM_ENABLE, self->OnEnable((BOOL)wParam))
#define ON_WM_CHILDACTIVATE() KESTRIN_MSG_ENTRY(WM_CHILDACTIVATE, self->OnChildActivate())
#define ON_WM_SHOWWINDOW() KESTRIN_MSG_ENTRY(WM_SHOWWINDOW, self->OnShowWindow((BOOL)wParam, (UINT)lParam))
#define ON_WM_ACTIVATE() \
    KESTRIN_MSG_ENTRY(WM_ACTIVATE, self->OnActivate(LOWORD(wParam), KESTRIN_WND(lParam), (BOOL)HIWORD(wParam)))
#define ON_WM_ACTIVATEAPP() KESTRIN_MSG_ENTRY(WM_ACTIVATEAPP, self->OnActivateApp((BOOL)wParam, (DWORD)lParam))
#define ON_WM_SETTINGCHANGE() \
    KESTRIN_MSG_ENTRY(WM_SETTINGCHANGE, self->OnSettingChange((UINT)wParam, reinterpret_cast<LPCTSTR>(lParam)))
// Every WM_CTLCOLORxxx message reaches OnCtlColor with its kind (CTLCOLOR_xxx) taken from the message.
#define KESTRIN_CTLCOLOR_ENTRY(msg)                                              \
    KESTRIN_MSG_ENTRY(msg, *result = reinterpret_cast<LRESULT>(self->OnCtlColor( \
                               KESTRIN_DC(wParam), KESTRIN_WND(lParam), (UINT)((msg)-WM_CTLCOLORMSGBOX))))
#define ON_WM_CTLCOLOR()                         \
    KESTRIN_CTLCOLOR_ENTRY(WM_CTLCOLORMSGBOX)    \
    KESTRIN_CTLCOLOR_ENTRY(WM_CTLCOLOREDIT)      \
    KESTRIN_CTLCOLOR_ENTRY(WM_CTLCOLORLISTBOX)   \
    KESTRIN_CTLCOLOR_ENTRY(WM_CTLCOLORBTN)       \
    KESTRIN_CTLCOLOR_ENTRY(WM_CTLCOLORDLG)       \
    KESTRIN_CTLCOLOR_ENTRY(WM_CTLCOLORSCROLLBAR) \
    KESTRIN_CTLCOLOR_ENTRY(WM_CTLCOLORSTATIC)
#define ON_WM_CTLCOLOR_REFLECT()                           \
    KESTRIN_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLORSTATIC, \
                      *result = reinterpret_cast<LRESULT>(self->CtlColor(KESTRIN_DC(wParam), (UINT)lParam)))
#define ON_WM_HSCROLL()                                                                  \
    KESTRIN_MSG_ENTRY(WM_HSCROLL, self->OnHScroll(LOWORD(wParam), (short)HIWORD(wParam), \
                                                  reinterpret_cast<CScrollBar*>(KESTRIN_WND(lParam))))
#define ON_WM_VSCROLL()                                                                  \
    KESTRIN_MSG_ENTRY(WM_VSCROLL, self->OnVScroll(LOWORD(wParam), (short)HIWORD(wParam), \
                                                  reinterpret_cast<CScrollBar*>(KESTRIN_WND(lParam))))
#define ON_WM_HSCROLL_REFLECT() \
    KESTRIN_MSG_ENTRY(WM_REFLECT_BASE + WM_HSCROLL, self->HScroll(LOWORD(wParam), (short)HIWORD(wParam)))
#define ON_WM_VSCROLL_REFLECT() \
    KESTRIN_MSG_ENTRY(WM_REFLECT_BASE + WM_VSCROLL, self->VScroll(LOWORD(wParam), (short)HIWORD(wParam)))
#define ON_WM_DRAWITEM() \
    KESTRIN_MSG_ENTRY(WM_DRAWITEM, self->OnDrawItem((int)wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)))
#define ON_WM_MEASUREITEM() \
    KESTRIN_MSG_ENTRY(WM_MEASUREITEM, self->OnMeasureItem((int)wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)))
#define ON_WM_COMPAREITEM()           \
    KESTRIN_MSG_ENTRY(WM_COMPAREITEM, \
                      *result = self->OnCompareItem((int)wParam, reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)))
#define ON_WM_GETMINMAXINFO() \
    KESTRIN_MSG_ENTRY(WM_GETMINMAXINFO, self->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)))
#define ON_WM_WINDOWPOSCHANGING() \
    KESTRIN_MSG_ENTRY(WM_WINDOWPOSCHANGING, self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)))
#define ON_WM_WINDOWPOSCHANGED() \
    KESTRIN_MSG_ENTRY(WM_WINDOWPOSCHANGED, self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)))
#define ON_WM_CONTEXTMENU() \
    KESTRIN_MSG_ENTRY(WM_CONTEXTMENU, self->OnContextMenu(KESTRIN_WND(wParam), KESTRIN_PT(lParam)))
#define ON_WM_NCHITTEST() KESTRIN_MSG_ENTRY(WM_NCHITTEST, *result = (LRESULT)self->OnNcHitTest(KESTRIN_PT(lParam)))
#define ON_WM_NCLBUTTONDOWN() \
    KESTRIN_MSG_ENTRY(WM_NCLBUTTONDOWN, self->OnNcLButtonDown((UINT)wParam, KESTRIN_PT(lParam)))
#define ON_WM_SYSCOMMAND() KESTRIN_MSG_ENTRY(WM_SYSCOMMAND, self->OnSysCommand((UINT)wParam, lParam))
#define ON_WM_DROPFILES() KESTRIN_MSG_ENTRY(WM_DROPFILES, self->OnDropFiles(reinterpret_cast<HDROP>(wParam)))
#define ON_WM_QUERYDRAGICON() \
    KESTRIN_MSG_ENTRY(WM_QUERYDRAGICON, *result = reinterpret_cast<LRESULT>(self->OnQueryDragIcon()))
#define ON_WM_CAPTURECHANGED() KESTRIN_MSG_ENTRY(WM_CAPTURECHANGED, self->OnCaptureChanged(KESTRIN_WND(lParam)))
#define ON_WM_GETDLGCODE() KESTRIN_MSG_ENTRY(WM_GETDLGCODE, *result = (LRESULT)self->OnGetDlgCode())
#define ON_WM_MOUSEACTIVATE()           \
    KESTRIN_MSG_ENTRY(WM_MOUSEACTIVATE, \
                      *result = self->OnMouseActivate(KESTRIN_WND(wParam), LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_ENTERMENULOOP() KESTRIN_MSG_ENTRY(WM_ENTERMENULOOP, self->OnEnterMenuLoop((BOOL)wParam))
#define ON_WM_EXITMENULOOP() KESTRIN_MSG_ENTRY(WM_EXITMENULOOP, self->OnExitMenuLoop((BOOL)wParam))
#define ON_WM_ENTERSIZEMOVE() KESTRIN_MSG_ENTRY(WM_ENTERSIZEMOVE, self->OnEnterSizeMove())
#define ON_WM_EXITSIZEMOVE() KESTRIN_MSG_ENTRY(WM_EXITSIZEMOVE, self->OnExitSizeMove())
#define ON_WM_SIZING() KESTRIN_MSG_ENTRY(WM_SIZING, self->OnSizing((UINT)wParam, reinterpret_cast<LPRECT>(lParam)))
#define ON_WM_NCPAINT() KESTRIN_MSG_ENTRY(WM_NCPAINT, self->OnNcPaint())
#define ON_WM_INITMENUPOPUP()                                                                                     \
    KESTRIN_MSG_ENTRY(WM_INITMENUPOPUP, self->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), \
                                                              LOWORD(lParam), (BOOL)HIWORD(lParam)))
