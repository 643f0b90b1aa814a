// CAdvComboListBox: the owner-drawn list of the combo's drop-down; hover selects, a release chooses.
#pragma once

#include <memory>
#include <vector>

#include "skinui/adv_combo_item.h"

class CAdvComboBox;
class CAdvComboScrollBar;

class CAdvComboListBox : public CListBox {
public:
    CAdvComboListBox(CAdvComboBox* pCombo, CAdvComboScrollBar* pScrollBar);
    ~CAdvComboListBox() override;

    int AddItem(const CAdvComboItem& item);
    // Selects the row, or the nearest enabled row in the direction of the move; answers the row or LB_ERR.
    int SetCurSel(int nRow);
    int GetBottomIndex() const;
    void SetTopIndex(int nRow, BOOL bSyncScroll);
    void GetTextSize(LPCTSTR text, int len, SIZE* size);
    void SetACBStyle(DWORD dwStyle) { m_dwACBStyle = dwStyle; }

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;
    int CompareItem(LPCOMPAREITEMSTRUCT cis) override;
    BOOL DestroyWindow() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg LRESULT OnSetCapture(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReleaseCapture(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    const CAdvComboItem* ItemAt(int nRow) const;
    int RowAt(CPoint point) const;
    bool HandBackCapture(CPoint point);

    CAdvComboBox* m_pCombo;
    CAdvComboScrollBar* m_pScrollBar;
    int m_nLastTopIdx = 0;
    DWORD m_dwACBStyle = 0;
    std::vector<std::unique_ptr<CAdvComboItem>> m_items;
};
