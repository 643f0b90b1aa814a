// CScoreView: a single note or rest of the note pass, with its ledger lines, accidental, dots, grace chain and
// tuplet bracket.
#include "scoreview/score_view.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "render/accidental_room.h"
#include "render/note_glyphs.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

void PutGlyph(CDC* dc, int x, int y, char glyph) { dc->TextOut(x, y, &glyph, 1); }

}  // namespace

void CScoreView::PaintSingleEvent(CDC* dc, const MeasurePass& pass, const Slot& slot, int baseLength)
{
    const StaffPass& staff = *pass.staff;
    CTrack* track = score.GetTrack(staff.track);
    if (!track)
        return;
    const double u = unit;
    // Offsets laid out for zoom 1 grow with the staff.
    auto px = [u](double pixels) { return (int)(pixels * u / 8.0); };
    const int length = slot.Length();
    const bool rest = length > 255;
    const int low = length & 0xFF;
    const int index = StandardLengthIndex(low);
    int x = (int)(pass.contentX + slot.Position() * pass.spacing);
    if (index == kNoLengthIndex || x < staff.x0 + StripRoom(90, zoom))
        return;
    const int rowY = staff.rowY;
    dc->SetTextColor(noteColour);

    if (rest) {
        int y = (int)(rowY + px(low == 192 ? 16 : 20) + 3 * u);
        PutGlyph(dc, x, y, RestGlyph(index));
        for (int d = 0; d < DotCount(index); ++d)
            PutGlyph(dc, x + px(12 + 4 * d), y - px(2), kDotGlyph);
        return;
    }

    const int measure = pass.measure;
    const int p = track->StaffPositionOfPitchEx(staff.staff != 0, measure, slot.NaturalPitch());
    const int accidental = slot.Accidental();
    const int y = (int)(rowY + p * u / 2 - 11 * u / 2);
    char glyph = NoteGlyph(index);
    if (low != 192) {
        bool up = p > 22;
        if (slot.Stem() == 1)
            up = true;
        else if (slot.Stem() == -1)
            up = false;
        if (up)
            --glyph;
    }

    // Ledger lines outside the staff; the first two steps from the middle line are staff lines.
    const int s = Sign(p - 22);
    for (int i = 2; i < std::abs(22 - p) / 2; ++i) {
        int yi = (int)(rowY + px(88) + s * (i + 1) * u);
        dc->MoveTo(x - px(low == 192 ? 4 : 3), yi);
        dc->LineTo(x + px(low == 192 ? 13 : 12), yi);
    }
    if (low == 192)
        x -= px(2);

    const int tick = score.TickAtMeasurePosition(measure, slot.Position());
    const bool spanNote = track->FindSpanText(false, tick, nullptr, false) == 1;
    PutGlyph(dc, x, y, spanNote ? kSpanNoteGlyph : glyph);

    const int link = slot.GraceLink();
    if (link < -10 || link > 10)
        PaintGraceChain(dc, staff.track, slot.NaturalPitch() + accidental, measure, slot.Position(), (int8_t)link, u, x,
                        y, pass.firstSlot, pass.slotCount, slot, pass.topReference);

    if (!spanNote) {
        int8_t inForce[kAccidentalPositions];
        GetAccidentalsInForce(staff.track, inForce, staff.staff, slot, pass.firstSlot, pass.slotCount);
        const int at = p - pass.topReference;
        const int shown = at >= 0 && at < kAccidentalPositions ? inForce[at] : 0;
        const char sign = AccidentalGlyph(accidental);
        if (shown != accidental && sign != 0) {
            int d = accidental == 2 ? 10 : accidental == -2 ? 12 : 8;
            // Clear of the bar line and of the ink before the note, as far as the head allows.
            const char head = '1';
            const int limit = AccidentalLeftLimit(pass, slot.Position(), dc->GetTextExtent(&head, 1).cx, u);
            PutGlyph(dc, AccidentalX(x - px(d), dc->GetTextExtent(&sign, 1).cx, limit, x), y, sign);
        }
    }

    for (int d = 0; d < DotCount(index); ++d)
        PutGlyph(dc, x + px(12 + 4 * d), y - px(2), kDotGlyph);

    if (slot.Tuplet() >= 3 && pass.spacing != 0)
        PaintTupletBracket(dc, pass, slot, baseLength);
}

void CScoreView::PaintTupletBracket(CDC* dc, const MeasurePass& pass, const Slot& slot, int baseLength)
{
    const StaffPass& staff = *pass.staff;
    const int n = slot.Tuplet();
    const int span = NearestNoteLength(n * baseLength);
    const int position = slot.Position();
    if (n < 3 || span <= 0 || position % span != 0 || pass.spacing <= 0)
        return;
    const double u = unit;
    auto px = [u](double pixels) { return (int)(pixels * u / 8.0); };
    const int x1 = (int)(pass.contentX + (position / span) * span * pass.spacing);
    const int bx1 = x1 + px(4);
    const int bx2 = (int)(bx1 + (span - baseLength) * pass.spacing);
    const int spanPx = (int)(span * pass.spacing);
    const int p = TupletBracketPosition(false, staff.track, staff.staff, pass.measure, position, span);
    const bool above = p <= 22;
    const int by = (int)(staff.rowY + p * u / 2) + (above ? -px(10) : px(10));
    const int left = staff.xm;
    if (x1 + spanPx / 3 > left && staff.numberFont) {
        char text[8];
        int count = std::snprintf(text, sizeof text, "%d", n);
        // The number belongs to the bracket, black like it, whatever colour the note before it left.
        CFont* old = dc->SelectObject(staff.numberFont);
        const COLORREF oldColour = dc->SetTextColor(RGB(0, 0, 0));
        dc->TextOut(x1 + (bx2 - bx1) / 2 - px(4), above ? by - px(13) : by + px(2), text, count);
        dc->SetTextColor(oldColour);
        dc->SelectObject(old);
    }
    const int hook = above ? px(4) : -px(4);
    dc->MoveTo(std::max(bx1, left), by);
    dc->LineTo(bx2, by);
    if (bx1 >= left) {
        dc->MoveTo(bx1, by);
        dc->LineTo(bx1, by + hook);
    }
    dc->MoveTo(bx2, by);
    dc->LineTo(bx2, by + hook);
}
