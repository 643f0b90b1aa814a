// CScoreView::PaintSingleNote: a note whose stem direction is set, drawn on its own.
#include "scoreview/score_view.h"

#include <algorithm>
#include <cstdlib>

#include "render/note_glyphs.h"
#include "services/rounding.h"

void CScoreView::PaintSingleNote(CDC* dc, double unit, int track, int staff, const Slot& slot, double noteSpacing,
                                 int contentX, int rowY, int8_t topReference, int firstSlot, int slotCount)
{
    CTrack* owner = score.GetTrack(track);
    const int length = slot.Length();
    const int low = length & 0xFF;
    const int index = StandardLengthIndex(low);
    if (!owner || index == kNoLengthIndex)
        return;
    const double u = unit;
    const bool large = u > 10;
    CPen pen(PS_SOLID, std::max(1, (int)(u * 0.08)), RGB(0, 0, 0));
    CPen* oldPen = dc->SelectObject(&pen);

    const int measure = slot.Measure(), position = slot.Position();
    int x = (int)(contentX + position * noteSpacing);
    const int p = owner->StaffPositionOfPitchEx(staff != 0, measure, slot.NaturalPitch());
    const int y = (int)(rowY + p * u / 2 - (int)(5.45 * u));
    char glyph = NoteGlyph(index);
    if (low != 192) {
        if (p > 22)
            --glyph;
        if (slot.Stem() == 1 && p <= 22)
            --glyph;
        if (slot.Stem() == -1 && p > 22)
            ++glyph;
    }

    const int sign = (p > 22) - (p < 22);
    const int extra = low == 192 ? 1 : 0;
    for (int i = 0; i < std::abs(22 - p) / 2; ++i) {
        int yi = RoundHalfAway(sign * (i + 1) * u + 11 * u + rowY);
        dc->MoveTo(x - (large ? 5 : 3) - extra, yi);
        dc->LineTo(x + (large ? 26 : 12) + extra, yi);
    }
    if (low == 192)
        x -= 2;

    // The marked note stands out in the marked range; every other note has the note colour at every zoom.
    const int tick = score.TickAtMeasurePosition(measure, position);
    const int markLow = std::min(markStart, markEnd), markHigh = std::max(markStart, markEnd);
    const bool marked = markState == 2 && tick >= markLow && tick <= markHigh;
    dc->SetTextColor(marked ? markedNoteColour : noteColour);
    const char text[2] = {glyph, ' '};
    dc->TextOut(x, y, text, 2);

    if (length < 255) {
        int8_t inForce[kAccidentalPositions];
        GetAccidentalsInForce(track, inForce, staff, slot, firstSlot, slotCount);
        const int a = slot.Accidental();
        const int at = p - topReference;
        const int shown = at >= 0 && at < kAccidentalPositions ? inForce[at] : 0;
        const char accidental = AccidentalGlyph(a);
        if (shown != a && accidental != 0) {
            int ax = (int)(x - u);
            if (a == 2)
                ax -= large ? 6 : 2;
            if (a == -2)
                ax -= large ? 6 : 4;
            dc->TextOut(ax, y, &accidental, 1);
        }
    }

    const int dots = DotCount(index);
    const int dotX = x + (large ? 30 : 12), dotY = large ? y + 5 : y - 2;
    if (dots > 0)
        dc->TextOut(dotX, dotY, &kDotGlyph, 1);
    if (dots > 1)
        dc->TextOut(large ? dotX + (int)(u / 2) : x + 16, dotY, &kDotGlyph, 1);

    dc->SelectObject(oldPen);
}
