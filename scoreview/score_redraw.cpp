// CScoreView: the redraw pipeline: restore the working page, mark the current row, paint, size the canvas.
#include "scoreview/score_view.h"

#include <algorithm>

#include "kernel/prompt_service.h"

namespace {

constexpr int kCombineCopy = 288;
constexpr int kRowMarkAmount = -100;

}  // namespace

void CScoreView::RedrawScore(bool fullPage)
{
    crossPoint = CPoint(-1, -1);
    if (pageBitmap.IsEmpty())
        PrepareBackgroundForRect(CRect(0, 0, pageWidth, pageHeight));
    int w = (int)(zoom * pageWidth);
    int h = (int)(zoom * pageHeight);
    if (fullPage) {
        if (pageBitmap.Width() == w && pageBitmap.Height() == h)
            pageBitmap.CombineFrom(0, 0, w, h, cleanPageBitmap, 0, 0, kCombineCopy);
        else
            PrepareBackground(w, h);
        editRowMark = -1;
    } else {
        editRowMark = nearestRowIndex;
        double s = staffSpacingPx;
        int top = (int)std::min(staffMiddleY - s, editRowY - s);
        double lowMouse = staffMiddleY + s, lowEdit = editRowY + s;
        int bottom = (int)std::max(lowMouse, lowEdit);
        if (lowMouse == lowEdit)
            bottom = (int)(bottom + s * 0.5);
        if (top < 1)
            top = 0;
        if (bottom > zoom * pageHeight)
            bottom = (int)(zoom * pageHeight);
        pageBitmap.CombineFrom(0, top, w, bottom - top, cleanPageBitmap, 0, top, kCombineCopy);
    }
    MarkCurrentTrackRow();
    if (pageBitmap.GetDc()) {
        if (CDC* dc = pageBitmap.GetCdc()) {
            noteHeads.Open();
            PaintPage(dc);
            noteHeads.Close();
        }
        pageBitmap.ReleaseDc(nullptr);
    }
    SetContentSize(pageWidth, pageHeight);
    verticalScrollRange = std::max(0, scaledRect.Height() - placementRect.Height());
    ShowLayoutComplaint();
}

void CScoreView::ShowLayoutComplaint()
{
    const char* complaint = noteLayout.TakeComplaint();
    if (complaint == shownLayoutComplaint)
        return;
    // Remembered before the box opens: a repaint under it meets the same complaint and stays quiet.
    shownLayoutComplaint = complaint;
    if (complaint)
        ::MessageBox(m_hWnd, complaint, GetMessageBoxTitle().c_str(), MB_OK);
}

void CScoreView::MarkCurrentTrackRow()
{
    int k = RowOfTrack(currentTrack);
    if (k < 0)
        return;
    double s = staffSpacingPx;
    int y = (int)(rowOrigin + k * s + 11 * unit);
    // The band spans the working page, which is zoomed.
    RECT band = {0, (int)(y - s / 2), (int)(zoom * pageWidth), (int)(y + s / 2)};
    pageBitmap.SetRectRegion(0, &band, 0);
    pageBitmap.AdjustInRegion(kRowMarkAmount);
    pageBitmap.FreeRegion();
}

void CScoreView::PaintPage(CDC* dc)
{
    dc->SetBkMode(TRANSPARENT);
    PaintScore(dc);
}
