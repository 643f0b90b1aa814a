// The class-library classes of the common controls: progress bar, slider, tooltips, list view, image list.
#pragma once

#include "kernel/list_template.h"
#include "ui/commctrl.h"
#include "ui/wnd.h"

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange(short lower, short upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
    void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, (WPARAM)lower, upper); }
    void GetRange(int& lower, int& upper);
    int SetPos(int pos) { return (int)SendMessage(PBM_SETPOS, (WPARAM)pos); }
    int GetPos() { return (int)SendMessage(PBM_GETPOS); }
    int OffsetPos(int delta) { return (int)SendMessage(PBM_DELTAPOS, (WPARAM)delta); }
    int SetStep(int step) { return (int)SendMessage(PBM_SETSTEP, (WPARAM)step); }
    int StepIt() { return (int)SendMessage(PBM_STEPIT); }
};

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetPos() const { return (int)SendMessage(TBM_GETPOS); }
    void SetPos(int pos) { SendMessage(TBM_SETPOS, TRUE, pos); }
    void SetRange(int minPos, int maxPos, BOOL redraw = FALSE)
    {
        SendMessage(TBM_SETRANGE, redraw, MAKELPARAM(minPos, maxPos));
    }
    void SetRangeMin(int minPos, BOOL redraw = FALSE) { SendMessage(TBM_SETRANGEMIN, redraw, minPos); }
    void SetRangeMax(int maxPos, BOOL redraw = FALSE) { SendMessage(TBM_SETRANGEMAX, redraw, maxPos); }
    int GetRangeMin() const { return (int)SendMessage(TBM_GETRANGEMIN); }
    int GetRangeMax() const { return (int)SendMessage(TBM_GETRANGEMAX); }
    void SetTicFreq(int frequency) { SendMessage(TBM_SETTICFREQ, (WPARAM)frequency); }
    int SetPageSize(int size) { return (int)SendMessage(TBM_SETPAGESIZE, 0, size); }
    int SetLineSize(int size) { return (int)SendMessage(TBM_SETLINESIZE, 0, size); }
};

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    virtual BOOL Create(CWnd* parent, DWORD style = 0);
    // A tool id of 0 makes the whole window the tool; otherwise the rectangle of the window is.
    BOOL AddTool(CWnd* wnd, LPCTSTR text, LPCRECT toolRect = nullptr, UINT_PTR toolId = 0);
    BOOL AddTool(CWnd* wnd, UINT textId, LPCRECT toolRect = nullptr, UINT_PTR toolId = 0);
    void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
    void UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId = 0);
    void SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect);
    void RelayEvent(LPMSG msg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)msg); }
    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    void SetDelayTime(UINT delay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(delay, 0)); }
    void SetDelayTime(DWORD duration, int time) { SendMessage(TTM_SETDELAYTIME, duration, MAKELPARAM(time, 0)); }
    int SetMaxTipWidth(int width) { return (int)SendMessage(TTM_SETMAXTIPWIDTH, 0, width); }
    void SetTipBkColor(COLORREF colour) { SendMessage(TTM_SETTIPBKCOLOR, colour); }
    void SetTipTextColor(COLORREF colour) { SendMessage(TTM_SETTIPTEXTCOLOR, colour); }
    int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }
    void Pop() { SendMessage(TTM_POP); }

private:
    void FillInToolInfo(TOOLINFO& ti, CWnd* wnd, UINT_PTR toolId) const;
};

class CImageList : public CObject {
public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const;  // null for a null object pointer
    static CImageList* FromHandle(HIMAGELIST list);

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL DeleteImageList();
    int Add(CBitmap* bitmap, CBitmap* mask);
    int Add(CBitmap* bitmap, COLORREF mask);
    int Add(HICON icon);
    BOOL Remove(int index) { return ImageList_Remove(m_hImageList, index); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL Draw(CDC* dc, int image, POINT at, UINT style);
};

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int InsertColumn(int column, const LVCOLUMN* info);
    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int column) { return (BOOL)SendMessage(LVM_DELETECOLUMN, (WPARAM)column); }
    BOOL GetColumn(int column, LVCOLUMN* info) const
    {
        return (BOOL)SendMessage(LVM_GETCOLUMN, (WPARAM)column, (LPARAM)info);
    }
    BOOL SetColumn(int column, const LVCOLUMN* info)
    {
        return (BOOL)SendMessage(LVM_SETCOLUMN, (WPARAM)column, (LPARAM)info);
    }
    int GetColumnWidth(int column) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, (WPARAM)column); }
    BOOL SetColumnWidth(int column, int width)
    {
        return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, (WPARAM)column, MAKELPARAM(width, 0));
    }

    int InsertItem(const LVITEM* item) { return (int)SendMessage(LVM_INSERTITEM, 0, (LPARAM)item); }
    int InsertItem(int item, LPCTSTR text);
    int InsertItem(UINT mask, int item, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM param);
    BOOL SetItem(const LVITEM* item) { return (BOOL)SendMessage(LVM_SETITEM, 0, (LPARAM)item); }
    BOOL SetItem(int item, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask, LPARAM param);
    BOOL GetItem(LVITEM* item) const { return (BOOL)SendMessage(LVM_GETITEM, 0, (LPARAM)item); }
    BOOL SetItemText(int item, int subItem, LPCTSTR text);
    CString GetItemText(int item, int subItem) const;
    int GetItemText(int item, int subItem, LPTSTR text, int length) const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    BOOL SetItemState(int item, UINT state, UINT mask);
    BOOL SetItemState(int item, LVITEM* info)
    {
        return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)item, (LPARAM)info);
    }
    UINT GetItemState(int item, UINT mask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, (WPARAM)item, mask); }
    BOOL DeleteItem(int item) { return (BOOL)SendMessage(LVM_DELETEITEM, (WPARAM)item); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
    int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
    int GetNextItem(int item, int flags) const
    {
        return (int)SendMessage(LVM_GETNEXTITEM, (WPARAM)item, MAKELPARAM(flags, 0));
    }
    UINT GetSelectedCount() const { return (UINT)SendMessage(LVM_GETSELECTEDCOUNT); }
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int FindItem(LVFINDINFO* info, int start = -1) const
    {
        return (int)SendMessage(LVM_FINDITEM, (WPARAM)start, (LPARAM)info);
    }
    int HitTest(LVHITTESTINFO* info) const { return (int)SendMessage(LVM_HITTEST, 0, (LPARAM)info); }
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* info) { return (int)SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)info); }
    BOOL GetItemRect(int item, LPRECT rect, UINT code) const;
    BOOL GetSubItemRect(int item, int subItem, int area, CRect& rect);
    BOOL EnsureVisible(int item, BOOL partialOk)
    {
        return (BOOL)SendMessage(LVM_ENSUREVISIBLE, (WPARAM)item, partialOk);
    }
    int GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX); }
    int GetCountPerPage() const { return (int)SendMessage(LVM_GETCOUNTPERPAGE); }
    DWORD SetExtendedStyle(DWORD style) { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }
    DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE); }
    BOOL SetBkColor(COLORREF colour) { return (BOOL)SendMessage(LVM_SETBKCOLOR, 0, colour); }
    BOOL SetTextColor(COLORREF colour) { return (BOOL)SendMessage(LVM_SETTEXTCOLOR, 0, colour); }
    BOOL SetTextBkColor(COLORREF colour) { return (BOOL)SendMessage(LVM_SETTEXTBKCOLOR, 0, colour); }
    BOOL RedrawItems(int first, int last) { return (BOOL)SendMessage(LVM_REDRAWITEMS, (WPARAM)first, last); }
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data)
    {
        return (BOOL)SendMessage(LVM_SORTITEMS, data, (LPARAM)compare);
    }
    int GetSelectionMark() const { return (int)SendMessage(LVM_GETSELECTIONMARK); }
    int SetSelectionMark(int item) { return (int)SendMessage(LVM_SETSELECTIONMARK, 0, item); }
    CImageList* SetImageList(CImageList* list, int kind);
    CImageList* GetImageList(int kind) const;
    // Owner-drawn report lists (LVS_OWNERDRAWFIXED) draw each row here.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
