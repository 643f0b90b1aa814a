// CScoreView: the mouse: the edit mode's action on a click, note dragging, panning with the space bar,
// the hover state and the insertion cross.
#include "scoreview/score_view.h"

#include <algorithm>
#include <cstdlib>

#include "ui/window_dc.h"

namespace {

constexpr COLORREF kCrossColour = 0x0019FF;
constexpr int kCrossArm = 10;

bool SpaceBarDown() { return GetKeyState(VK_SPACE) < 0; }

}  // namespace

void CScoreView::OnLButtonDown(UINT flags, CPoint point)
{
    if (SpaceBarDown()) {
        panAnchor = point;
        return;
    }
    editStart = point;
    panAnchor = point;
    if (m_hWnd) {
        SetCapture();
        SetTimer(0, 100, nullptr);
    }
    score.currentTrack = currentTrack;
    CPoint p = WindowToPage(point);
    noteTaken = false;
    if (hitKind == 0 || editMode != 1) {
        bool inserted = false;
        if (hitKind == 0) {
            int tick = std::max(0, StripXToTick(p.x, p.y));
            if (editMode == 2 && score.MeasureAtTick(tick) < kLastEntryMeasure) {
                inserted = InsertNoteAtPoint(flags, p.x, p.y) != 0;
                ReapplyRangePercent();
            } else if (editMode >= 3 && editMode <= 8) {
                inserted = PlaceAtClick(p.x, p.y);
            }
            if (inserted) {
                score.ExtendToMeasureOf(tick);
                // The staff under the pointer stays where it is on the screen, so that the next click at the same
                // height enters the same pitch.
                const int staffY = PageToWindow(CPoint(0, StaffTopY(currentTrack))).y;
                keepStaffPlace = true;
                RefreshScore();
                keepStaffPlace = false;
                ScrollBy(0, staffY - PageToWindow(CPoint(0, StaffTopY(currentTrack))).y);
                if (m_hWnd)
                    Invalidate(FALSE);
                SendReason(9);
                score.modified = 1;
                // The pointer follows the insertion point snapped to the grid.
                if (m_hWnd && editMode == 2) {
                    CPoint snapped(PageToWindow(CPoint(TickToStripX(tick), 0)).x, point.y);
                    ClientToScreen(&snapped);
                    ::SetCursorPos(snapped.x, snapped.y);
                }
                return;
            }
        }
        if (hitKind == 1 && hoveredNote && editMode == 3 && paletteChoice[6] == 0) {
            if (annotatedNote)
                StoreTextEntry();
            BeginNoteTextEdit();
            return;
        }
        if (hitKind == 1 && hoveredNote) {
            hoveredNote->marked = 1;
            editTrack = currentTrack;
            if (const CTrack* track = score.GetTrack(currentTrack))
                previewChannel = static_cast<uint8_t>(track->GetChannel());
            PreviewNote(true, hoveredNote->pitch, hoveredNote->start, editTrack);
            noteTaken = true;
        } else if (textEntryCreated && textEntryDialog && textEntryDialog->Window() &&
                   textEntryDialog->Window()->m_hWnd) {
            HideTextEntry();
            StoreTextEntry();
            editedAnnotation = nullptr;
            annotatedNote = nullptr;
            RefreshScore();
        }
        return;
    }
    if (hitKind == 1 && hoveredNote) {
        NoteEvent pattern = *hoveredNote;
        DeleteNote(true, currentTrack, pattern);
    } else if (hitKind == 4) {
        EraseEditedCurve();
    }
    RedrawScore(false);
    if (m_hWnd)
        Invalidate(FALSE);
    score.modified = 1;
}

void CScoreView::OnMouseMove(UINT flags, CPoint point)
{
    bool leftDown = (flags & MK_LBUTTON) != 0;
    if (leftDown && (SpaceBarDown() || editMode == 0)) {
        int numerator = std::max<int>(1, score.measureTable[0].numerator);
        int beatWidth = (ContentX(1) - ContentX(0)) / numerator;
        int dx = point.x - panAnchor.x;
        if (std::abs(dx) >= beatWidth / 5)
            ScrollBeats(dx >= 0 ? -1 : 1);
        ScrollBy(0, point.y - panAnchor.y);
        if (m_hWnd)
            Invalidate(FALSE);
        panAnchor = point;
        SendReason(9);
        SendReason(10);
        return;
    }
    panAnchor = point;
    CPoint p = WindowToPage(point);
    if (!leftDown || hitKind == 0)
        LocateStaffUnderPoint(0, p.x, p.y);
    SendReason(1);
    mouseTick = std::max(0, StripXToTick(p.x, p.y));
    UpdatePitchUnderMouse(p.y);
    if (leftDown && editMode != 1 && noteTaken) {
        DragNote(p.x, p.y, unit);
        ReapplyRangePercent();
    }
    if (leftDown && editMode != 1 && hitKind == 4)
        DragCurvePoint(p.x, p.y);
    if (score.playState != 1 && !leftDown)
        hitKind = FindNoteOnStrip(p.x, p.y);
    if (!leftDown && editMode == 2)
        DrawInsertCross(false);
}

void CScoreView::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_hWnd) {
        ::ReleaseCapture();
        KillTimer(0);
    }
    panAnchor = point;
    if (SpaceBarDown()) {
        SendReason(9);
        SendReason(10);
        return;
    }
    PostCursorX(-1);
    bool wasOver = hitKind != 0;
    if (noteTaken) {
        if (hoveredNote)
            hoveredNote->marked = 0;
        ForgetHoveredNote();
        PreviewNote(false, 0, 0, editTrack);
        noteTaken = false;
    }
    dragState = 1;
    if (wasOver)
        RefreshScore();
    CCanvasView::OnLButtonUp(flags, point);
}

void CScoreView::DrawInsertCross(bool erase)
{
    if (!m_hWnd)
        return;
    // While a modal dialog holds the window the cross only goes away: it must not show over the dialog.
    if (!GetTopLevelParent()->IsWindowEnabled())
        erase = true;
    CClientDC dc(this);
    CPen pen(PS_SOLID, 1, kCrossColour);
    CPen* oldPen = dc.SelectObject(&pen);
    int oldRop = dc.SetROP2(R2_NOTXORPEN);
    auto draw = [&dc](CPoint at) {
        dc.MoveTo(at.x - kCrossArm, at.y);
        dc.LineTo(at.x + kCrossArm, at.y);
        dc.MoveTo(at.x, at.y - kCrossArm);
        dc.LineTo(at.x, at.y + kCrossArm);
    };
    if (crossPoint != CPoint(-1, -1))
        draw(crossPoint);
    if (erase) {
        crossPoint = CPoint(-1, -1);
    } else {
        crossPoint = PageToWindow(StaffPointOnStrip(currentTrack, SnapTick(mouseTick), pitchUnderMouse));
        draw(crossPoint);
    }
    dc.SetROP2(oldRop);
    dc.SelectObject(oldPen);
}
