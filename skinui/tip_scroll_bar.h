// CTipScrollBar: a scroll bar with a tooltip from the numbered-text file.
#pragma once

#include "ui/ui.h"

class CTipScrollBar : public CScrollBar {
public:
    static constexpr UINT_PTR TOOL_ID = 8888;

    void Setup(UINT nTipTextId);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int GetTipTextId() const { return m_nTipTextId; }
    CToolTipCtrl& GetToolTip() { return m_toolTip; }

private:
    int m_nTipTextId = 0;
    int m_bTipCreated = 0;
    CToolTipCtrl m_toolTip;
};
