// CSkinRangeBar: set-up from the skin and painting of the background, markers and faded range overlay.
#include "skinui/skin_range_bar.h"

#include "services/deliverable.h"
#include "services/skin_element.h"
#include "skinui/skin_track_resources.h"

namespace {

constexpr COLORREF kCutColour = RGB(0, 0, 5);

void LoadPicture(CRasterImage& image, const CString& path)
{
    image.Destroy();
    image.LoadFile(path, 0);
    image.IncreaseBpp(24);
}

}  // namespace

CSkinRangeBar::CSkinRangeBar(CWnd* pParent) : CDialog(SkinTrackTemplateId(), pParent) {}

BOOL CSkinRangeBar::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CSkinRangeBar::Setup(CWnd* pNotifyWnd, UINT nMsg, UINT nId, int* pbFadeIn, int* pbFadeOut, int* pbFixedLength,
                          int* pnFadePercent, double* pdFixedLength, int nWidth)
{
    m_pNotifyWnd = pNotifyWnd;
    m_nNotifyMsg = nMsg;
    m_nNotifyId = nId;
    m_pbFadeIn = pbFadeIn;
    m_pbFadeOut = pbFadeOut;
    m_pbFixedLength = pbFixedLength;
    m_pnFadePercent = pnFadePercent;
    m_pdFixedLength = pdFixedLength;

    CSkinElement bar, pos, marker;
    LoadSkinElement(18, &bar);
    LoadSkinElement(19, &pos);
    LoadSkinElement(20, &marker);
    CRasterImage strip;
    LoadPicture(strip, bar.bgimage);
    LoadPicture(m_imgRangeFill, bar.fntname);
    if (IsConverterDeliverable()) {
        // The track inside the strip as the skin gives it, not stretched; the element's position places the bar.
        m_rcTrack = bar.fntcolorNumbers;
        m_imgBackground.CopyFrom(&strip);
    } else {
        m_rcTrack = bar.fntcolorNumbers;
        BuildBackground(strip, nWidth);
        if (!m_imgRangeFill.IsEmpty())
            m_imgRangeFill.Resample(nWidth, m_imgRangeFill.GetHeight(), 1);
    }
    LoadPicture(m_imgPosMarker, pos.bgimage);
    LoadPicture(m_imgRangeMarker, marker.bgimage);
    m_clrMarkerKey = marker.fntcolor;
    m_imgRangeMarker.SetTransparentIndex(0);
    m_imgRangeMarker.SetTransparentColor(m_clrMarkerKey);
    m_nLastFadeWidth = 0;
    m_nLastFadeIn = m_nLastFadeOut = -1;
    m_rcLastRange.SetRectEmpty();
}

// The track part of the strip stretches to the bar's width; the two end pieces keep their size.
void CSkinRangeBar::BuildBackground(CRasterImage& strip, int nWidth)
{
    m_imgBackground.Destroy();
    int sw = strip.GetWidth(), sh = strip.GetHeight(), trackWidth = m_rcTrack.Width();
    int middleWidth = nWidth - (sw - trackWidth);
    if (strip.IsEmpty() || trackWidth <= 0 || middleWidth <= 0)
        return;
    CRasterImage middle;
    middle.CreateFilled(trackWidth, sh, 24, 0xFFFFFF);
    middle.CopyRectFrom(0, 0, trackWidth, sh, &strip, m_rcTrack.left, 0);
    middle.Resample(middleWidth, sh, 1);
    m_imgBackground.CreateFilled(nWidth, sh, 24, 0xFFFFFF);
    m_imgBackground.CopyRectFrom(0, 0, m_rcTrack.left, sh, &strip, 0, 0);
    m_imgBackground.CopyRectFrom(m_rcTrack.left, 0, middleWidth, sh, &middle, 0, 0);
    m_imgBackground.CopyRectFrom(m_rcTrack.left + middleWidth, 0, sw - m_rcTrack.right, sh, &strip, m_rcTrack.right, 0);
    m_rcTrack.right = m_rcTrack.left + middleWidth;
}

int CSkinRangeBar::MarkerX(double percent, int width) const
{
    return (int)(m_rcTrack.left - width / 2 + m_rcTrack.Width() * percent / 100);
}

void CSkinRangeBar::Paint(CDC* pDC)
{
    if (!m_imgBackground.IsEmpty())
        m_imgBackground.Draw(pDC->m_hDC, 0, 0);
    int mw = m_imgRangeMarker.GetWidth(), mh = m_imgRangeMarker.GetHeight();
    int startX = MarkerX(m_dStart, mw), endX = MarkerX(m_dEnd, mw);
    m_imgRangeMarker.Draw(pDC->m_hDC, startX, m_rcTrack.bottom);
    m_imgRangeMarker.Draw(pDC->m_hDC, endX, m_rcTrack.bottom);
    m_rcStartMarker = CRect(startX, m_rcTrack.bottom, startX + mw, m_rcTrack.bottom + mh);
    m_rcEndMarker = CRect(endX, m_rcTrack.bottom, endX + mw, m_rcTrack.bottom + mh);
    m_rcRange = CRect(startX, m_rcTrack.top, endX, m_rcTrack.bottom);
    m_rcRange.OffsetRect(mw / 2, 0);
    BuildRangeOverlay();
    if (!m_imgRangeOverlay.IsEmpty())
        m_imgRangeOverlay.Draw(pDC->m_hDC, m_rcRange.left, m_rcRange.top);
    int pw = m_imgPosMarker.GetWidth(), posX = MarkerX(m_dPos, pw);
    m_imgPosMarker.Draw(pDC->m_hDC, posX, 0);
    m_rcPosMarker = CRect(posX, 0, posX + pw, m_imgPosMarker.GetHeight());
}

void CSkinRangeBar::BuildRangeOverlay()
{
    int width = m_rcRange.Width(), height = m_rcRange.Height();
    int fade = width * (m_pnFadePercent ? *m_pnFadePercent : 0) / 100;
    int fadeIn = m_pbFadeIn ? *m_pbFadeIn : 0, fadeOut = m_pbFadeOut ? *m_pbFadeOut : 0;
    if (fade == m_nLastFadeWidth && m_rcRange == m_rcLastRange && fadeIn == m_nLastFadeIn && fadeOut == m_nLastFadeOut)
        return;
    m_imgRangeOverlay.Destroy();
    if (!m_imgRangeFill.IsEmpty() && width > 0 && height > 0) {
        m_imgRangeOverlay.RenderRegionFrom(&m_imgRangeFill, CRect(0, 0, width, height));
        POINT corners[6] = {{0, 0}, {0, height}, {fade, 0}, {width, 0}, {width, height}, {width - fade, 0}};
        INT counts[2] = {3, 3};
        // The fade-in triangle comes first in the table, so a fade-out alone starts at the second.
        int polygons = (fadeIn ? 1 : 0) + (fadeOut ? 1 : 0);
        HRGN cut = polygons && fade > 0 ? CreatePolyPolygonRgn(corners + (fadeIn ? 0 : 3), counts, polygons, ALTERNATE)
                                        : nullptr;
        if (cut) {
            int rows = m_imgRangeOverlay.GetHeight(), cols = m_imgRangeOverlay.GetWidth();
            for (int y = 0; y < rows; ++y)
                for (int x = 0; x < cols; ++x)
                    if (PtInRegion(cut, x, y))
                        m_imgRangeOverlay.SetPixelColor(x, rows - 1 - y, kCutColour);
            DeleteObject(cut);
        }
        m_imgRangeOverlay.SetTransparentIndex(0);
        m_imgRangeOverlay.SetTransparentColor(kCutColour);
    }
    m_nLastFadeWidth = fade;
    m_rcLastRange = m_rcRange;
    m_nLastFadeIn = fadeIn;
    m_nLastFadeOut = fadeOut;
}
