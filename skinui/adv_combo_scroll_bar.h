// CAdvComboScrollBar: the drop-down's scroll bar; scrolling moves the list's top row.
#pragma once

#include "skinui/adv_combo_item.h"

class CAdvComboListBox;

class CAdvComboScrollBar : public CScrollBar {
public:
    void SetListBox(CAdvComboListBox* pListBox);

protected:
    afx_msg void VScroll(UINT code, UINT pos);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg LRESULT OnSetCapture(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReleaseCapture(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    bool HandBackCapture(CPoint point);

    CAdvComboListBox* m_pListBox = nullptr;
};
