// CSkinButton: choosing and painting the strip frame, the caption and the lazily made tooltip.
#include "skinui/skin_button.h"

#include <algorithm>
#include <cstdlib>

#include "imaging/packed_dib.h"
#include "imaging/raster_image.h"

int CSkinButton::ChooseFrame() const
{
    bool checked = m_pGroupVar && *m_pGroupVar == m_nGroupValue;
    if (checked && m_nBindMode == 2 && m_pGroupVar2)
        checked = *m_pGroupVar2 == m_nGroupValue2;
    if (m_pSelectVar && *m_pSelectVar == m_nSelectValue)
        return 3;
    if (m_nBindMode != 1 && m_nBindMode != 2)
        return 0;
    if (m_nState == STATE_PRESSED)
        return 2;
    return checked ? 2 : (m_nState == STATE_HOVER ? 1 : 0);
}

void CSkinButton::Redraw()
{
    if (!m_hWnd)
        return;
    CClientDC dc(this);
    DrawButton(&dc);
}

void CSkinButton::DrawButton(CDC* pDC)
{
    DrawStrip(pDC, ChooseFrame());
    DrawCaption(pDC);
}

void CSkinButton::DrawStrip(CDC* pDC, int frame)
{
    if (m_nImageSource == 0 || m_nImageSource == 1) {
        CPackedDib dib;
        if (!dib.LoadFromResource(m_nResourceId))
            return;
        dib.RealizePalette();
        dib.PaintRect(pDC->m_hDC, 0, 0, frame * m_nWidth, 0, m_nWidth, m_nHeight);
        return;
    }
    if (m_nImageSource != 2)
        return;
    CRasterImage image;
    if (!image.LoadFile(m_strImagePath, 0))
        return;
    image.IncreaseBpp(24);
    if (!IsWindowEnabled())
        GreyFrame(image, frame);
    image.Draw(pDC->m_hDC, 0, 0, m_nWidth, m_nHeight, frame * m_nWidth, 0, m_nWidth, m_nHeight);
}

// A disabled button shows its picture in light grey: the strip has no frame of its own for it.
void CSkinButton::GreyFrame(CRasterImage& image, int frame) const
{
    int right = std::min<int>(image.GetWidth(), (frame + 1) * m_nWidth);
    int bottom = std::min<int>(std::abs(image.GetHeight()), m_nHeight);
    for (int y = 0; y < bottom; ++y)
        for (int x = frame * m_nWidth; x < right; ++x) {
            RGBQUAD c = image.GetPixelColor(x, y);
            int grey = 128 + (c.rgbRed * 30 + c.rgbGreen * 59 + c.rgbBlue * 11) / 200;
            image.SetPixelColor(x, y, RGB(grey, grey, grey));
        }
}

void CSkinButton::DrawCaption(CDC* pDC)
{
    // "NULL" and "null" mark a missing language text.
    if (m_strText.IsEmpty() || m_strText == "NULL" || m_strText == "null")
        return;
    pDC->SetBkMode(TRANSPARENT);
    CFont font;
    font.CreateFont(m_nFontSize, (int)(m_nFontSize * 0.5), 0, 0, m_bBold ? 600 : 300, FALSE, FALSE, FALSE,
                    DEFAULT_CHARSET, OUT_STRING_PRECIS, CLIP_TT_ALWAYS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN,
                    m_strFontName);
    CFont* old = pDC->SelectObject(&font);
    CSize extent = pDC->GetTextExtent(m_strText, m_strText.GetLength());
    int x = (m_nWidth - extent.cx) / 2;
    int y = (m_nHeight - extent.cy) / 2;
    if (m_bTextBesideImage)
        x = m_nHeight + 1;
    else if (m_nState == STATE_PRESSED) {
        ++x;
        ++y;
    }
    if (!IsWindowEnabled()) {
        pDC->SetTextColor(RGB(255, 255, 255));
        pDC->TextOut(x, y, m_strText);
        pDC->SetTextColor(RGB(128, 128, 128));
    } else {
        pDC->SetTextColor(m_crText);
    }
    pDC->TextOut(x - 1, y - 1, m_strText);
    pDC->SelectObject(old);
}

void CSkinButton::CreateTip()
{
    m_bTipPending = 0;
    if (!m_toolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX | WS_BORDER))
        return;
    m_bTipCreated = 1;
    CRect r;
    GetClientRect(&r);
    m_toolTip.AddTool(this, m_strTip, &r, m_nToolId);
    m_toolTip.SetDelayTime(80);
    m_toolTip.Activate(TRUE);
}

void CSkinButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    if (m_bTipPending)
        CreateTip();
    CDC dc;
    dc.Attach(dis->hDC);
    DrawButton(&dc);
    dc.Detach();
    if (m_bTipCreated)
        m_toolTip.Activate(TRUE);
}
