// CSkinDialog::OnPaint: the caption strip tiled from the skin's caption picture, with the title centred on it.
#include "skinui/skin_dialog.h"

#include <vector>

#include "imaging/raster_image.h"
#include "services/deliverable.h"
#include "services/skin_element.h"
#include "ui/window_dc.h"

namespace {

// The width of a blank in the caption's face at its own proportions.
int WordGap(CDC* dc, const CSkinElement& e)
{
    CFont font;
    font.CreateFont(e.fntsize, 0, 0, 0, 800, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_STRING_PRECIS, CLIP_TT_ALWAYS,
                    DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN, e.fntname);
    CFont* old = dc->SelectObject(&font);
    const int gap = dc->GetTextExtent(" ", 1).cx;
    dc->SelectObject(old);
    return gap;
}

}  // namespace

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
    const int gap = WordGap(pDC, e);
    CFont* old = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(e.fntcolor);
    // The narrowed face squeezes a blank to a pixel or two, which reads as no blank at all: the words are
    // measured and set one by one, a blank of the face's own width apart.
    std::vector<CString> words;
    int total = -gap;
    for (int start = 0; start <= m_strTitle.GetLength();) {
        int end = m_strTitle.Find(' ', start);
        if (end < 0)
            end = m_strTitle.GetLength();
        words.push_back(m_strTitle.Mid(start, end - start));
        total += pDC->GetTextExtent(words.back()).cx + gap;
        start = end + 1;
    }
    int x = (width - total) / 2;
    int y = ((converter ? 20 : g_nCaptionHeight) - e.fntsize) / 2;
    for (const CString& word : words) {
        pDC->TextOut(x, y, word, word.GetLength());
        x += pDC->GetTextExtent(word).cx + gap;
    }
    pDC->SelectObject(old);
}
