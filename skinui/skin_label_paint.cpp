// CSkinLabel: painting the background, the fitted text and the percent bar.
#include "skinui/skin_label.h"

#include <algorithm>

#include "services/deliverable.h"

int CSkinLabel::TextCells(const CString& text)
{
    // A character of more than one byte is a wide one, as a double-byte character was.
    int cells = 0;
    for (const unsigned char* p = (const unsigned char*)(LPCTSTR)text; *p; ++p)
        if (*p < 0x80)
            ++cells;
        else if ((*p & 0xC0) != 0x80)
            cells += 2;
    return cells;
}

CSize CSkinLabel::FitFont(int labelWidth, int labelHeight, int cells, int fontSize)
{
    int per = cells > 0 ? labelWidth / cells : labelWidth;
    int height = fontSize, width = fontSize / 2;
    if (per < fontSize / 2) {
        height = 2 * per;
        width = per;
    }
    return CSize(width, std::min(height, labelHeight));
}

void CSkinLabel::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void CSkinLabel::Paint(CDC* dc)
{
    CRect r;
    GetClientRect(&r);
    if (!m_imgBack.IsEmpty())
        m_imgBack.Draw(dc->m_hDC, r.left, r.top);
    else if (m_bFill)
        PaintField(dc, r);
    if (m_nPaintMode == 1)
        PaintText(dc, r);
    if (m_nPercent > 0)
        PaintPercent(dc);
}

void CSkinLabel::PaintField(CDC* dc, const CRect& r)
{
    CRect field(r.left, r.top, r.right - 1, r.bottom - 1);
    dc->FillSolidRect(&field, m_crFrame);
    if (!m_bBorder)
        return;
    CPen dark(PS_SOLID, 1, RGB(128, 128, 128));
    CPen light(PS_SOLID, 1, IsConverterDeliverable() ? RGB(255, 255, 255) : RGB(192, 192, 192));
    CPen* old = dc->SelectObject(&dark);
    dc->MoveTo(field.left, field.bottom);
    dc->LineTo(field.left, field.top);
    dc->LineTo(field.right, field.top);
    dc->SelectObject(&light);
    dc->LineTo(field.right, field.bottom);
    dc->LineTo(field.left, field.bottom);
    dc->SelectObject(old);
}

void CSkinLabel::PaintText(CDC* dc, const CRect& r)
{
    if (m_strText.IsEmpty())
        return;
    CSize fit = FitFont(r.Width(), r.Height(), TextCells(m_strText), m_nFontSize);
    CFont font;
    font.CreateFont(fit.cy, fit.cx, 0, 0, 550, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_STRING_PRECIS, CLIP_TT_ALWAYS,
                    DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN, m_strFontName);
    CFont* old = dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    CSize extent = dc->GetTextExtent(m_strText, m_strText.GetLength());
    int x = m_nAlign == 0 ? 8 : m_nAlign == 1 ? (r.Width() - extent.cx) / 2 : r.Width() - extent.cx;
    int y = (r.Height() - extent.cy) / 2;
    dc->SetTextColor(m_crText);
    dc->TextOut(x, y, m_strText);
    dc->SelectObject(old);
}

void CSkinLabel::PaintPercent(CDC* dc)
{
    if (m_imgProgress.IsEmpty() || m_nPercent < 0 || m_nPercent > 100)
        return;
    int width = m_rcProgress.Width() * m_nPercent / 100;
    if (width <= 0)
        return;
    m_imgProgress.Draw(dc->m_hDC, m_rcProgress.left, m_rcProgress.top, width, m_rcProgress.Height(), 0, 0, width,
                       m_rcProgress.Height());
}
