// CTipScrollBar: its tooltip over the bar's first 100 x 20 pixels.
#include "skinui/tip_scroll_bar.h"

#include "skinui/tip_relay.h"

void CTipScrollBar::Setup(UINT nTipTextId)
{
    m_nTipTextId = (int)nTipTextId;
    m_bTipCreated = CreateTip(m_toolTip, this, TOOL_ID, CRect(0, 0, 100, 20));
}

LRESULT CTipScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    RelayToTip(m_toolTip, this, TOOL_ID, m_nTipTextId, message, wParam, lParam);
    return CScrollBar::WindowProc(message, wParam, lParam);
}
