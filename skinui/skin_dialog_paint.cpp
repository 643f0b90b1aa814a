// CSkinDialog::OnPaint: the caption strip tiled from the skin's caption picture, with the title centred on it.
#include "skinui/skin_dialog.h"

#include "imaging/raster_image.h"
#include "services/deliverable.h"
#include "services/skin_element.h"
#include "ui/window_dc.h"

void CSkinDialog::OnPaint()
{
    CPaintDC dc(this);
    PaintCaption(&dc);
}

void CSkinDialog::PaintCaption(CDC* pDC)
{
    bool converter = IsConverterDeliverable();
    CSkinElement e;
    LoadSkinElement(converter ? 39 : 0, &e);
    if (m_nCaptionMode == CAPTION_MAIN)
        m_strTitle = g_strProductTitle;
    CRasterImage picture;
    picture.LoadFile(e.bgimage, 0);
    picture.IncreaseBpp(24);
    if (!converter)
        g_nCaptionHeight = picture.GetHeight();
    int tileWidth = picture.GetWidth();
    if (tileWidth == 0)
        return;
    CRect window;
    GetWindowRect(&window);
    int width = window.Width();
    for (int i = 0, count = width / tileWidth + 1; i < count; ++i)
        picture.Draw(pDC->m_hDC, i * tileWidth, 1);
    CFont font;
    font.CreateFont(e.fntsize, (int)(e.fntsize * 0.4), 0, 0, 800, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_STRING_PRECIS, CLIP_TT_ALWAYS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN, e.fntname);
    CFont* old = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(e.fntcolor);
    CSize extent = pDC->GetTextExtent(m_strTitle, m_strTitle.GetLength());
    int y = ((converter ? 20 : g_nCaptionHeight) - e.fntsize) / 2;
    pDC->TextOut((width - extent.cx) / 2, y, m_strTitle, m_strTitle.GetLength());
    pDC->SelectObject(old);
}
