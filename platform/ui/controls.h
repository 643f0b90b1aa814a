// The class-library control classes over the standard controls: buttons, statics, edits, lists, combos, scroll bars.
#pragma once

#include "ui/wnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    virtual BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetCheck() const { return (int)SendMessage(BM_GETCHECK); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, (WPARAM)check); }
    UINT GetState() const { return (UINT)SendMessage(BM_GETSTATE); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, (WPARAM)highlight); }
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    HBITMAP SetBitmap(HBITMAP bitmap) { return (HBITMAP)SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap); }
    HBITMAP GetBitmap() const { return (HBITMAP)SendMessage(BM_GETIMAGE, IMAGE_BITMAP); }
    // Owner-drawn buttons draw themselves here (WM_DRAWITEM reflected from the parent).
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// A button drawn from up to four bitmaps: up, down, focused and disabled.
class CBitmapButton : public CButton {
    DECLARE_DYNAMIC(CBitmapButton)
public:
    BOOL LoadBitmaps(UINT idUp, UINT idDown = 0, UINT idFocus = 0, UINT idDisabled = 0);
    BOOL LoadBitmaps(LPCTSTR up, LPCTSTR down = nullptr, LPCTSTR focus = nullptr, LPCTSTR disabled = nullptr);
    BOOL AutoLoad(UINT id, CWnd* parent);
    void SizeToContent();
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;
};

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    virtual BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, 0, (LPARAM)bitmap));
    }
    HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, (WPARAM)icon)); }
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetSel(int start, int end, BOOL noScroll = FALSE) { SendMessage(EM_SETSEL, (WPARAM)start, end); }
    void SetSel(DWORD selection, BOOL noScroll = FALSE) { SetSel((short)LOWORD(selection), (short)HIWORD(selection)); }
    DWORD GetSel() const { return (DWORD)SendMessage(EM_GETSEL); }
    void GetSel(int& start, int& end) const;
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE) { SendMessage(EM_REPLACESEL, canUndo, (LPARAM)text); }
    void LimitText(int max = 0) { SendMessage(EM_LIMITTEXT, (WPARAM)max); }
    void SetLimitText(UINT max) { SendMessage(EM_LIMITTEXT, max); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return (BOOL)SendMessage(EM_SETREADONLY, readOnly); }
    int GetLineCount() const { return (int)SendMessage(EM_GETLINECOUNT); }
    int LineLength(int offset = -1) const { return (int)SendMessage(EM_LINELENGTH, (WPARAM)offset); }
    BOOL GetModify() const { return (BOOL)SendMessage(EM_GETMODIFY); }
    void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified); }
    void Cut() { SendMessage(WM_CUT); }
    void Copy() { SendMessage(WM_COPY); }
    void Paste() { SendMessage(WM_PASTE); }
    void Clear() { SendMessage(WM_CLEAR); }
    BOOL Undo() { return (BOOL)SendMessage(WM_UNDO); }
};

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(LPCTSTR text) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)text); }
    int InsertString(int index, LPCTSTR text) { return (int)SendMessage(LB_INSERTSTRING, (WPARAM)index, (LPARAM)text); }
    int DeleteString(UINT index) { return (int)SendMessage(LB_DELETESTRING, index); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetCount() const { return (int)SendMessage(LB_GETCOUNT); }
    int GetCurSel() const { return (int)SendMessage(LB_GETCURSEL); }
    int SetCurSel(int index) { return (int)SendMessage(LB_SETCURSEL, (WPARAM)index); }
    int GetSel(int index) const { return (int)SendMessage(LB_GETSEL, (WPARAM)index); }
    int SetSel(int index, BOOL select = TRUE) { return (int)SendMessage(LB_SETSEL, select, index); }
    int GetSelCount() const { return (int)SendMessage(LB_GETSELCOUNT); }
    int GetText(int index, LPTSTR buffer) const { return (int)SendMessage(LB_GETTEXT, (WPARAM)index, (LPARAM)buffer); }
    void GetText(int index, CString& text) const;
    int GetTextLen(int index) const { return (int)SendMessage(LB_GETTEXTLEN, (WPARAM)index); }
    DWORD_PTR GetItemData(int index) const { return (DWORD_PTR)SendMessage(LB_GETITEMDATA, (WPARAM)index); }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemData(int index, DWORD_PTR data) { return (int)SendMessage(LB_SETITEMDATA, (WPARAM)index, (LPARAM)data); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    int FindString(int start, LPCTSTR text) const
    {
        return (int)SendMessage(LB_FINDSTRING, (WPARAM)start, (LPARAM)text);
    }
    int FindStringExact(int start, LPCTSTR text) const
    {
        return (int)SendMessage(LB_FINDSTRINGEXACT, (WPARAM)start, (LPARAM)text);
    }
    int SelectString(int start, LPCTSTR text) { return (int)SendMessage(LB_SELECTSTRING, (WPARAM)start, (LPARAM)text); }
    int GetTopIndex() const { return (int)SendMessage(LB_GETTOPINDEX); }
    int SetTopIndex(int index) { return (int)SendMessage(LB_SETTOPINDEX, (WPARAM)index); }
    int GetItemHeight(int index) const { return (int)SendMessage(LB_GETITEMHEIGHT, (WPARAM)index); }
    int SetItemHeight(int index, UINT height) { return (int)SendMessage(LB_SETITEMHEIGHT, (WPARAM)index, height); }
    int GetItemRect(int index, LPRECT rect) const
    {
        return (int)SendMessage(LB_GETITEMRECT, (WPARAM)index, (LPARAM)rect);
    }
    UINT ItemFromPoint(CPoint point, BOOL& outside) const;
    int GetCaretIndex() const { return (int)SendMessage(LB_GETCARETINDEX); }
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT cis);
    virtual void DeleteItem(LPDELETEITEMSTRUCT dis);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(LPCTSTR text) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)text); }
    int InsertString(int index, LPCTSTR text) { return (int)SendMessage(CB_INSERTSTRING, (WPARAM)index, (LPARAM)text); }
    int DeleteString(UINT index) { return (int)SendMessage(CB_DELETESTRING, index); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
    int SetCurSel(int index) { return (int)SendMessage(CB_SETCURSEL, (WPARAM)index); }
    int GetLBText(int index, LPTSTR buffer) const
    {
        return (int)SendMessage(CB_GETLBTEXT, (WPARAM)index, (LPARAM)buffer);
    }
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const { return (int)SendMessage(CB_GETLBTEXTLEN, (WPARAM)index); }
    DWORD_PTR GetItemData(int index) const { return (DWORD_PTR)SendMessage(CB_GETITEMDATA, (WPARAM)index); }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemData(int index, DWORD_PTR data) { return (int)SendMessage(CB_SETITEMDATA, (WPARAM)index, (LPARAM)data); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    int FindString(int start, LPCTSTR text) const
    {
        return (int)SendMessage(CB_FINDSTRING, (WPARAM)start, (LPARAM)text);
    }
    int FindStringExact(int start, LPCTSTR text) const
    {
        return (int)SendMessage(CB_FINDSTRINGEXACT, (WPARAM)start, (LPARAM)text);
    }
    int SelectString(int start, LPCTSTR text) { return (int)SendMessage(CB_SELECTSTRING, (WPARAM)start, (LPARAM)text); }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, show); }
    BOOL GetDroppedState() const { return (BOOL)SendMessage(CB_GETDROPPEDSTATE); }
    int GetTopIndex() const { return (int)SendMessage(CB_GETTOPINDEX); }
    int SetTopIndex(int index) { return (int)SendMessage(CB_SETTOPINDEX, (WPARAM)index); }
    int SetItemHeight(int index, UINT height) { return (int)SendMessage(CB_SETITEMHEIGHT, (WPARAM)index, height); }
    int GetItemHeight(int index) const { return (int)SendMessage(CB_GETITEMHEIGHT, (WPARAM)index); }
    BOOL LimitText(int max) { return (BOOL)SendMessage(CB_LIMITTEXT, (WPARAM)max); }
    DWORD GetEditSel() const { return (DWORD)SendMessage(CB_GETEDITSEL); }
    BOOL SetEditSel(int start, int end) { return (BOOL)SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(start, end)); }
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
    void GetScrollRange(LPINT minPos, LPINT maxPos) const { ::GetScrollRange(m_hWnd, SB_CTL, minPos, maxPos); }
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE)
    {
        ::SetScrollRange(m_hWnd, SB_CTL, minPos, maxPos, redraw);
    }
    BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE) { return ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw); }
    BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL)
    {
        info->fMask = mask;
        return ::GetScrollInfo(m_hWnd, SB_CTL, info);
    }
    int GetScrollLimit() { return CWnd::GetScrollLimit(SB_CTL); }
    void ShowScrollBar(BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, SB_CTL, show); }
    BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH) { return ::EnableScrollBar(m_hWnd, SB_CTL, arrows); }
};
