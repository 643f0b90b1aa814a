// CSkinSlider: painting from the skin pictures and the drag that writes the owner's variable and reports it.
#include "skinui/skin_slider.h"

#include <algorithm>

#include "skinui/skin_track_resources.h"

namespace {

// The cursor position at the last timer tick of any slider: a resting mouse reports the value.
POINT g_lastTickCursor = {0, 0};

}  // namespace

BEGIN_MESSAGE_MAP(CSkinSlider, CDialog)
ON_WM_ERASEBKGND()
ON_WM_SETCURSOR()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CSkinSlider::CSkinSlider(CWnd* pParent) : CDialog(SkinTrackTemplateId(), pParent) {}

BOOL CSkinSlider::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CSkinSlider::Setup(int nParam1, BOOL bNotifyByTimer, int nParam3, int nParam4, int* pnValue, int nMin, int nMax,
                        CString strTip, CString strTrackImage, CString strThumbImage, CRect rcTrack, CWnd* pNotifyWnd,
                        UINT nMsg, UINT nId)
{
    m_nParam1 = nParam1;
    m_bNotifyByTimer = bNotifyByTimer;
    m_nParam3 = nParam3;
    m_nParam4 = nParam4;
    m_pnValue = pnValue;
    m_nMin = nMin;
    m_nMax = nMax;
    m_strTip = strTip;
    m_pNotifyWnd = pNotifyWnd;
    m_nNotifyMsg = nMsg;
    m_nNotifyId = nId;
    // A picture that cannot be loaded leaves the image empty, not holding the one of an earlier skin.
    m_imgTrack.Destroy();
    m_imgTrack.LoadFile(strTrackImage, 0);
    m_imgTrack.IncreaseBpp(24);
    m_imgThumb.Destroy();
    m_imgThumb.LoadFile(strThumbImage, 0);
    m_imgThumb.IncreaseBpp(24);
    m_rcTrack = rcTrack;
}

void CSkinSlider::SetValuePointer(int* pnValue)
{
    m_pnValue = pnValue;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CSkinSlider::DrawTrack(CDC* pDC)
{
    if (!m_imgTrack.IsEmpty())
        m_imgTrack.Draw(pDC->m_hDC, 0, 0);
}

void CSkinSlider::DrawThumb(CDC* pDC)
{
    m_nThumbOffset = 0;
    if (m_pnValue && m_nMax != m_nMin)
        m_nThumbOffset = (*m_pnValue - m_nMin) * m_rcTrack.Width() / (m_nMax - m_nMin);
    int tw = m_imgThumb.GetWidth(), th = m_imgThumb.GetHeight();
    int x = m_rcTrack.left + m_nThumbOffset - tw / 2 - 1;
    int y = (m_rcTrack.top + m_rcTrack.bottom) / 2 - th / 2;
    m_imgThumb.Draw(pDC->m_hDC, x, y);
    m_rcThumb = CRect(x, y, x + tw, y + th);
}

BOOL CSkinSlider::OnEraseBkgnd(CDC* pDC)
{
    DrawTrack(pDC);
    DrawThumb(pDC);
    return TRUE;
}

BOOL CSkinSlider::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bOverThumb) {
        ::SetCursor(LoadSkinThumbCursor());
        return TRUE;
    }
    return (BOOL)Default();
}

void CSkinSlider::Notify(LPARAM lParam)
{
    if (m_pNotifyWnd)
        m_pNotifyWnd->PostMessage(m_nNotifyMsg, m_nNotifyId, lParam);
}

void CSkinSlider::OnMouseMove(UINT nFlags, CPoint point)
{
    m_bOverThumb = m_rcThumb.PtInRect(point);
    int width = m_rcTrack.Width();
    // A track without width has no values to drag over.
    if (!(nFlags & MK_LBUTTON) || width <= 0)
        return;
    int offset = std::clamp((int)(point.x - m_rcTrack.left), 0, width);
    m_nThumbOffset = offset;
    if (m_pnValue)
        *m_pnValue = m_nMin + offset * (m_nMax - m_nMin) / width;
    Invalidate(TRUE);
    if (!m_bNotifyByTimer)
        Notify(GetValue());
}

void CSkinSlider::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bDragging = 1;
    SetCapture();
    Notify(-1);
    if (m_bNotifyByTimer)
        SetTimer(0, 20, nullptr);
}

void CSkinSlider::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bDragging)
        return;
    if (!m_bNotifyByTimer)
        Notify(GetValue());
    EndDrag();
    ::ReleaseCapture();
}

void CSkinSlider::EndDrag()
{
    m_bDragging = 0;
    Notify(-2);
    if (m_bNotifyByTimer)
        KillTimer(0);
}

// A drag whose capture another window took ends there, or its timer would report values with no end.
void CSkinSlider::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bDragging)
        EndDrag();
}

void CSkinSlider::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == 0) {
        Invalidate(FALSE);
        POINT cursor;
        ::GetCursorPos(&cursor);
        if (cursor.x == g_lastTickCursor.x && cursor.y == g_lastTickCursor.y && m_bNotifyByTimer)
            Notify(GetValue());
        g_lastTickCursor = cursor;
    }
    Default();
}
