// The tooltip relay of the tooltip button and scroll bar; texts from the numbered-text file.
#include "skinui/tip_relay.h"

#include "services/numbered_text.h"

BOOL CreateTip(CToolTipCtrl& tip, CWnd* wnd, UINT_PTR toolId, const CRect& rect)
{
    if (!tip.Create(wnd, TTS_ALWAYSTIP | TTS_NOPREFIX))
        return FALSE;
    tip.AddTool(wnd, "", &rect, toolId);
    tip.SetDelayTime(80);
    tip.Activate(TRUE);
    return TRUE;
}

void RelayToTip(CToolTipCtrl& tip, CWnd* wnd, UINT_PTR toolId, int textId, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: break;
    default: return;
    }
    if (!tip.m_hWnd)
        return;
    tip.UpdateTipText(GetNumberedText(textId), wnd, toolId);
    MSG msg{};
    msg.hwnd = wnd->m_hWnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    tip.RelayEvent(&msg);
}
