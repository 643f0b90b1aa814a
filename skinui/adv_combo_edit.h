// CAdvComboEdit: the drop-down combo box's text field; read-only in a drop-list, where a click opens the list.
#pragma once

#include "ui/ui.h"

class CAdvComboBox;

class CAdvComboEdit : public CEdit {
public:
    CAdvComboEdit(CFont* pFont, BOOL bPlainLook, COLORREF crText, COLORREF crBackground, CAdvComboBox* pOwner);

    void SetDropList(BOOL bDropList, CAdvComboBox* pOwner);
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    DECLARE_MESSAGE_MAP()

private:
    CAdvComboBox* m_pCombo;
    int m_bDropList = 0;
    COLORREF m_clrText;
    COLORREF m_clrBackground;
    int m_bPlainLook;
    CFont* m_pFont;
    CBrush m_brBackground;
};
