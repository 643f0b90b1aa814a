// CSkinImageStatic: the picture is copied once at the first paint and drawn from that copy afterwards.
#include "skinui/skin_image_static.h"

BEGIN_MESSAGE_MAP(CSkinImageStatic, CSkinStatic)
ON_WM_PAINT()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
END_MESSAGE_MAP()

void CSkinImageStatic::SetImageResource(UINT nId)
{
    m_nResourceId = nId;
    m_imgSource.LoadResource(nId, "DIB", 0);
    m_imgSource.IncreaseBpp(24);
}

void CSkinImageStatic::Paint(CDC* dc)
{
    CRect r;
    GetClientRect(&r);
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    if (m_imgShown.IsEmpty())
        m_imgShown.CopyFrom(&m_imgSource);
    m_imgShown.Draw(dc->m_hDC, r.left, r.top);
}

void CSkinImageStatic::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void CSkinImageStatic::Redraw()
{
    CClientDC dc(this);
    Paint(&dc);
}

void CSkinImageStatic::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_KEYDOWN, key, flags);
}

void CSkinImageStatic::OnKeyUp(UINT key, UINT repeat, UINT flags)
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_KEYUP, key, flags);
}
