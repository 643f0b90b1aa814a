// CTipBitmapButton: a bitmap push button with a tooltip from the numbered-text file.
#pragma once

#include "ui/ui.h"

class CTipBitmapButton : public CBitmapButton {
public:
    static constexpr UINT_PTR TOOL_ID = 100;

    void Setup(UINT nTipTextId, UINT nBitmapId);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int GetTipTextId() const { return m_nTipTextId; }
    CToolTipCtrl& GetToolTip() { return m_toolTip; }

protected:
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    int m_nTipTextId = 0;
    int m_bTipCreated = 0;
    CToolTipCtrl m_toolTip;
    CBitmap m_bitmap;
};
