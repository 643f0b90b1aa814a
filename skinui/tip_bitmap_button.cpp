// CTipBitmapButton: its tooltip, picture and hand cursor.
#include "skinui/tip_bitmap_button.h"

#include "skinui/tip_relay.h"

namespace {

constexpr UINT kCursorId = 132;

}  // namespace

BEGIN_MESSAGE_MAP(CTipBitmapButton, CBitmapButton)
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

void CTipBitmapButton::Setup(UINT nTipTextId, UINT nBitmapId)
{
    m_nTipTextId = (int)nTipTextId;
    CRect r;
    GetClientRect(&r);
    m_bTipCreated = CreateTip(m_toolTip, this, TOOL_ID, r);
    m_bitmap.DeleteObject();
    m_bitmap.LoadBitmap(nBitmapId);
    SetBitmap((HBITMAP)m_bitmap.m_hObject);
}

BOOL CTipBitmapButton::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(LoadCursor(AfxGetInstanceHandle(), MAKEINTRESOURCE(kCursorId)));
    return TRUE;
}

LRESULT CTipBitmapButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    RelayToTip(m_toolTip, this, TOOL_ID, m_nTipTextId, message, wParam, lParam);
    return CBitmapButton::WindowProc(message, wParam, lParam);
}
