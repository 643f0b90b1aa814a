// CAdvComboBox: the toolkit's drop-down combo box; answers the system combo messages and notifies its parent
// as a system combo box does.
#pragma once

#include <memory>
#include <vector>

#include "skinui/adv_combo_item.h"

class CAdvComboEdit;
class CAdvComboDropWnd;

class CAdvComboBox : public CWnd {
    DECLARE_DYNAMIC(CAdvComboBox)
public:
    static constexpr UINT EDIT_ID = 108;

    CAdvComboBox();
    ~CAdvComboBox() override;

    static BOOL RegisterWindowClass();
    void SetColorsAndFont(COLORREF crBackground, COLORREF crText, int nHeight);
    void SetPlainLook(BOOL bPlainLook) { m_bPlainLook = bPlainLook; }
    // The style word's other bits (check marks, autocompletion); Create always adds ACBS_STANDARD.
    void SetACBStyle(DWORD dwStyle) { m_dwACBStyle = dwStyle; }
    DWORD GetACBStyle() const { return m_dwACBStyle; }
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID);
    void SetMaxVisibleItems(int n) { m_nMaxVisItems = n; }
    int GetMaxVisibleItems() const { return m_nMaxVisItems; }
    int GetMinVisibleItems() const { return m_nMinVisItems; }
    // The parent font's copy that the drop-down list draws with.
    virtual CFont* GetFont() { return m_pFont.get(); }
    void LoadItemsFromResource(UINT nID);

    int AddString(LPCTSTR text);
    int FindString(int nStartAfter, LPCTSTR text) const;
    int FindStringExact(int nStart, LPCTSTR text) const;
    int GetCount() const { return (int)m_list.size(); }
    int GetCurSel();
    int SetCurSel(int nSelect);
    void GetEditText(CString& text);
    bool IsDropped() const { return m_bDropListVisible != 0; }
    CAdvComboDropWnd* GetDropWnd() const { return m_pDropWnd.get(); }
    CAdvComboEdit* GetEdit() const { return m_pEdit.get(); }

    BOOL PreTranslateMessage(MSG* msg) override;
    // Paints the frame and the drop button as WM_PAINT does.
    void Paint(CDC* dc);

protected:
    void PreSubclassWindow() override;

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    afx_msg void OnSetFocus(CWnd* oldWnd);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnChildActivate();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg LRESULT OnSelectItem(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCloseUp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToggleDropDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetCurSelMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetCurSelMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelectString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetCount(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetLBText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetLBTextLen(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTopIndex(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTopIndex(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEditSetFocus();
    afx_msg void OnEditKillFocus();
    afx_msg void OnEditChange();
    afx_msg void OnEditUpdate();
    DECLARE_MESSAGE_MAP()

private:
    void MakeParentFontCopy();
    void CreateEdit(BOOL bDropList);
    void Notify(UINT code);
    void SetEditTextTo(const CString& text);
    void SetEditWindowText(const CString& text);
    void InvalidateButton();
    void OpenDropDown();
    void CloseDropDown();
    void ToggleDropDown();
    void CreateDropDown(const std::vector<CAdvComboItem>& items);
    void SelectPrevItem();
    void SelectNextItem();
    void SelectEnabledFrom(int nFrom, int nStep);
    void AutoComplete();
    bool IsDropList() const { return (m_dwComboStyle & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST; }
    bool IsHotAt(CPoint point) const;

    int m_nCurSel = -1;
    std::unique_ptr<CAdvComboEdit> m_pEdit;
    CString m_strEdit;
    std::unique_ptr<CFont> m_pFont;
    DWORD m_dwComboStyle = 0;
    DWORD m_dwACBStyle = ACBS_STANDARD;
    CRect m_rcCombo;
    CRect m_rcDropWnd;
    std::unique_ptr<CAdvComboDropWnd> m_pDropWnd;
    CRect m_rcDropButton;
    int m_bDropListVisible = 0;
    std::vector<CAdvComboItem> m_list;
    int m_nWheelDelta = 0;
    BYTE m_bHasSentFocus = 0;
    BYTE m_bSelItem = 0;
    BYTE m_bFirstPaint = 1;
    int m_nMinVisItems = 5;
    BYTE m_bCreatedByCreate = 0;
    int m_bAutoAppend = 1;
    BYTE m_bDropButtonHot = 0;
    BYTE m_bTrackMouseLeave = 0;
    int m_nMaxVisItems = -1;
    COLORREF m_clrBackground = 0;
    COLORREF m_clrText = 0;
    int m_bPlainLook = 0;
    CFont m_font;
    int m_nFontHeight = 0;
    CBrush m_brBackground;
    bool m_bSettingEditText = false;
};
