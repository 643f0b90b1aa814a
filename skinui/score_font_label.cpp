// CScoreFontLabel: its zoom and the painting of the character "A" with the score view's music font.
#include "skinui/score_font_label.h"

#include "skinui/score_font.h"

BEGIN_MESSAGE_MAP(CScoreFontLabel, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CScoreFontLabel::SetZoom(int n)
{
    if (n == 0)
        n = 1;
    m_dZoom = 2.0 * ((5.0 - 0.2) * n / 20.0 + 0.2);
    if (m_hWnd)
        Invalidate(TRUE);
}

void CScoreFontLabel::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void CScoreFontLabel::Paint(CDC* dc)
{
    dc->SetBkMode(TRANSPARENT);
    CRect r;
    GetClientRect(&r);
    LOGFONT lf = GetScoreFont();
    lf.lfHeight = FontHeight();
    lf.lfWidth = lf.lfHeight / 2;
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* oldFont = dc->SelectObject(&font);
    CBrush white(RGB(255, 255, 255));
    CBrush* oldBrush = dc->SelectObject(&white);
    dc->Rectangle(&r);
    CSize size = dc->GetTextExtent("A", 1);
    dc->SetTextColor(GetScoreNoteColor());
    dc->TextOut(r.Width() / 2 - size.cx / 2, r.Height() / 2 - size.cy / 2, "A", 1);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldFont);
}
