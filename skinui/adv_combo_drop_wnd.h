// CAdvComboDropWnd: the combo's top-most drop-down window holding the list, its scroll bar and a size grip.
#pragma once

#include <memory>
#include <vector>

#include "skinui/adv_combo_item.h"

class CAdvComboBox;
class CAdvComboListBox;
class CAdvComboScrollBar;

class CAdvComboDropWnd : public CWnd {
public:
    static constexpr UINT_PTR CAPTURE_TIMER = 100;

    CAdvComboDropWnd(CAdvComboBox* pCombo, const std::vector<CAdvComboItem>& items, DWORD dwACBStyle);
    ~CAdvComboDropWnd() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID);
    BOOL DestroyWindow() override;
    CAdvComboListBox* GetListBox() const { return m_pListBox.get(); }
    const std::vector<CAdvComboItem>& GetItems() const { return m_list; }

protected:
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnActivateApp(BOOL active, DWORD threadId);
    afx_msg LRESULT OnSetCapture(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReleaseCapture(WPARAM wParam, LPARAM lParam);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    DECLARE_MESSAGE_MAP()

private:
    void PlaceOnScreen(const CREATESTRUCT& cs);

    std::unique_ptr<CAdvComboListBox> m_pListBox;
    CRect m_rcList;
    std::unique_ptr<CAdvComboScrollBar> m_pScrollBar;
    CRect m_rcScroll;
    CRect m_rcSizeHandle;
    CAdvComboBox* m_pCombo;
    std::vector<CAdvComboItem> m_list;
    int m_bResize = 0;
    CPoint m_ptLastResize;
    int m_nMouseDiffX = 0;
    int m_nMouseDiffY = 0;
    DWORD m_dwACBStyle;
    CBrush m_brChildren;
};
