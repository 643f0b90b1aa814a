// CScoreView: the note group painter: ledger lines, heads shifted for seconds, accidental columns, dots, beams
// with their partial beams, flags and stems of a chord or beamed group; and the head shift it stores.
#include "scoreview/score_view.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#include "render/accidental_room.h"
#include "render/drawing_primitives.h"
#include "render/note_glyphs.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

// An accidental overlaps in height another accidental closer than this many staff positions, and a head
// closer than the second.
constexpr int kAccidentalReach = 6;
constexpr int kHeadReach = 4;

// The measure record behind the group painters' arguments; the group's measure is its first note's.
CScoreView::MeasurePass GroupPass(const StaffPass& row, const Slot& first, int contentX, double spacing, int firstSlot,
                                  int slotCount, int8_t topReference)
{
    return {.staff = &row,
            .measure = first.Measure(),
            .contentX = contentX,
            .spacing = spacing,
            .firstSlot = firstSlot,
            .slotCount = slotCount,
            .topReference = topReference};
}

bool NeedsLevel(int length, int level)
{
    switch (level) {
    case 2: return length < 24 && length != 16;
    case 3: return length < 12 && length != 8;
    default: return length < 4;
    }
}

}  // namespace

void CScoreView::SetNoteHeadShift(int track, int pitch, int measure, int position, int8_t shift)
{
    const int tick = score.TickAtMeasurePosition(measure, position);
    if (NoteEvent* note = noteHeads.Find(score.GetTrackNotes(track), score.division, score.gridValue, pitch, tick))
        note->headShift = shift;
}

int CScoreView::AccidentalLeftLimit(const MeasurePass& pass, int position, int headWidth, double unit)
{
    CSlotList& list = noteSlots[pass.staff->track][pass.staff->staff != 0];
    std::vector<Slot> measureSlots;
    for (int n = 0; n < pass.slotCount; ++n)
        measureSlots.push_back(list.GetAt(pass.firstSlot + n));
    const int ink =
        InkRightBefore(measureSlots.data(), pass.slotCount, position, pass.contentX, pass.spacing, headWidth, unit);
    return std::max(BarX(pass.measure) + 2, ink == INT_MIN ? INT_MIN : ink + 2);
}

void CScoreView::PaintNoteGroup(CDC* dc, double unit, int track, int staff, int count, int direction,
                                double noteSpacing, int contentX, int rowY, int firstSlot, int slotCount,
                                int8_t topReference)
{
    const StaffPass row{.track = track, .staff = staff, .rowY = rowY};
    PaintGroupHalf(dc, GroupPass(row, groupSlots[0], contentX, noteSpacing, firstSlot, slotCount, topReference),
                   groupSlots, count, direction, false, unit);
}

void CScoreView::PaintOppositeNoteGroup(CDC* dc, double unit, int track, int staff, int count, int direction,
                                        double noteSpacing, int contentX, int rowY, int firstSlot, int slotCount,
                                        int8_t topReference)
{
    const StaffPass row{.track = track, .staff = staff, .rowY = rowY};
    PaintGroupHalf(dc, GroupPass(row, oppositeGroupSlots[0], contentX, noteSpacing, firstSlot, slotCount, topReference),
                   oppositeGroupSlots, count, direction, true, unit);
}

void CScoreView::PaintGroupHalf(CDC* dc, const MeasurePass& pass, const Slot* slots, int count, int direction,
                                bool eachFlag, double unit)
{
    const StaffPass& row = *pass.staff;
    CTrack* owner = score.GetTrack(row.track);
    count = std::min(count, kGroupSlotCapacity);
    if (!owner || count <= 0)
        return;
    const double u = unit;
    const bool lower = row.staff != 0;
    groupUnbeamed = 1;
    const int w1 = std::max(1, (int)(u * 0.08));  // ledger lines and stems
    const int w2 = std::max(1, (int)(u * 0.4));   // beams
    CPen pen(PS_SOLID, w1, RGB(0, 0, 0));
    const COLORREF oldColour = dc->SetTextColor(RGB(0, 0, 0));
    CPen* oldPen = dc->SelectObject(&pen);

    int p[kGroupSlotCapacity], x[kGroupSlotCapacity];
    int extreme = 0;
    for (int i = 0; i < count; ++i) {
        p[i] = owner->StaffPositionOfPitchEx(lower, slots[i].Measure(), slots[i].NaturalPitch()) - 22;
        x[i] = (int)(pass.contentX + slots[i].Position() * pass.spacing);
        if (slots[i].Position() == slots[0].Position() && slots[0].Length() == 192)
            x[i] -= 2;
        const double middle = row.rowY + 11 * u + p[i] * u / 2;
        const int end = (int)(direction == 1 ? middle - 3 * u : middle + 3 * u);
        if (i == 0 || (direction == 1 ? end < extreme : end > extreme))
            extreme = end;
    }

    // One straight beam line over the group.
    const double stemSide = direction > 0 ? u : 0;
    const int xa = (int)(x[0] + stemSide), xb = (int)(x[count - 1] + stemSide);
    const double slope = std::abs(p[count - 1] - p[0]) < 2 ? u / 4 : u / 2;
    int ya = extreme, yb = extreme;
    if (p[0] < p[count - 1]) {
        ya = (int)(extreme - slope);
        yb = (int)(extreme + slope);
    } else if (p[0] > p[count - 1]) {
        ya = (int)(extreme + slope);
        yb = (int)(extreme - slope);
    }
    auto beamY = [&](double at) { return Interpolate(xa, ya, xb, yb, at); };

    const int firstLow = slots[0].Length() & 0xFF;
    // Each note shows the head of its own length: a half and a quarter in one chord differ.
    auto headOf = [](int low) {
        return low == 192 ? '!' : (low == 64 || low == 96 || low == 144 || low == 168) ? '0' : '1';
    };
    const char head = headOf(firstLow);         // the width the group's places are measured with
    const int step = direction == -1 ? 1 : -1;  // the index step from one processed note to the next
    // Notes at two places are joined by a beam; only a lone note or chord carries a flag. Testing this before
    // the first note keeps a chord processed before the first beam from drawing a stray flag.
    bool beamed = false;
    for (int i = 1; i < count && !beamed; ++i)
        beamed = slots[i].Position() != slots[0].Position();
    int shift = 0, previousP = 0, column = 0, previousStem = 0;
    bool flagged = false;     // the chord's flag is drawn
    int8_t accidentalAt = 0;  // staff position of the previous note's drawn accidental; 0 for none
    // What stands left of the current chord's place so far: its accidentals and its heads moved left. A later
    // accidental moves left, a column at a time, until it clears every one of them it would touch.
    struct Obstacle {
        int p, left, right, reach;
    };
    Obstacle drawn[2 * kGroupSlotCapacity];
    int drawnCount = 0, drawnPlace = -1;
    // A chord's accidentals are drawn once its place is done: where the leftmost would cross the bar line, all
    // of them move right as one, so that no two columns fall on one spot. The strip makes room for the columns of
    // a chord at a measure's start (CountLeadAccidentals), so this is a last resort.
    struct Mark {
        int x, y;
        char glyph;
    };
    Mark marks[kGroupSlotCapacity];
    int markCount = 0;
    auto drawMarks = [&]() {
        if (markCount == 0)
            return;
        int left = INT_MAX;
        for (int j = 0; j < markCount; ++j)
            left = std::min(left, marks[j].x);
        const int move = std::max(0, BarX(slots[0].Measure()) + 2 - left);
        const COLORREF before = dc->SetTextColor(noteColour);
        for (int j = 0; j < markCount; ++j)
            dc->TextOut(marks[j].x + move, marks[j].y, &marks[j].glyph, 1);
        dc->SetTextColor(before);
        markCount = 0;
    };
    bool b[5] = {};
    int8_t inForce[kAccidentalPositions];

    for (int k = 0; k < count; ++k) {
        const int i = direction == -1 ? k : count - 1 - k;
        const Slot& slot = slots[i];
        const int P = p[i] + 22;
        const int whole = slot.Length();
        const int low = whole & 0xFF;
        const int position = slot.Position();
        const double headY = row.rowY + P * u * 0.5 - 5.45 * u;

        // Ledger lines outside the staff.
        const double l = low == 192 ? 0.375 * u : 0.25 * u, r = low == 192 ? 1.5 * u : 1.375 * u;
        for (int line = 3; line <= std::abs(P - 22) / 2; ++line) {
            int y = (int)(row.rowY + 11 * u + Sign(P - 22) * line * u);
            dc->MoveTo((int)(pass.contentX + position * pass.spacing - l), y);
            dc->LineTo((int)(pass.contentX + position * pass.spacing + r), y);
        }

        // A second in a chord: heads alternate sides, the first of the cluster on the normal side.
        const int previous = i - step;
        if (k > 0 && slots[previous].Position() == position && std::abs(P - previousP) < 2)
            shift = shift == 0 ? (direction > 0 ? (int)u : (int)-u) : 0;
        else
            shift = 0;
        SetNoteHeadShift(row.track, slot.NaturalPitch() + slot.Accidental(), slot.Measure(), position, (int8_t)shift);

        dc->SetTextColor(noteColour);
        const int hx = x[i] + shift;
        const char noteHead = headOf(low);
        dc->TextOut(hx, (int)headY, &noteHead, 1);
        const int headWidth = dc->GetTextExtent(&noteHead, 1).cx;
        if (drawnPlace != position) {
            drawMarks();
            drawnCount = 0;
        }
        drawnPlace = position;
        if (shift < 0)
            drawn[drawnCount++] = {P, hx, hx + headWidth, kHeadReach};

        auto near = [&](int j) {
            return j >= 0 && j < count && x[j] == x[i] && std::abs(slots[j].NaturalPitch() - slot.NaturalPitch()) <= 2;
        };
        const bool neighbour = near(i - 1) || near(i + 1);

        // How many head widths the accidental moves left, away from the accidentals and heads beside it.
        const int A = slot.Accidental();
        const bool closeAbove = accidentalAt != 0 && std::abs(P - accidentalAt) < 2;
        int C = 0;
        if (direction < 0 && shift != 0) {
            C += closeAbove;
        } else if (direction < 0) {
            C += neighbour && closeAbove;
            C += neighbour;
            if (C == 2 && column == 1)
                C = 1;
        } else if (shift == 0) {
            C += closeAbove && column != 0 && column != 2;
            if (i - 1 >= 0 && slots[i - 1].Position() == position &&
                owner->StaffPositionOfPitch(slots[i - 1].Measure(), slots[i - 1].NaturalPitch()) == P &&
                (slots[i - 1].Accidental() != 0 || A < 0))
                ++C;
        } else {
            C += closeAbove;
            C += neighbour;
            if (column == 1 && accidentalAt != 0 && P == accidentalAt)
                C = 1;
        }
        const int ax = (int)(-u * C + shift);

        GetAccidentalsInForce(row.track, inForce, row.staff, slot, pass.firstSlot, pass.slotCount);
        const int at = P - pass.topReference;
        const int shown = at >= 0 && at < kAccidentalPositions ? inForce[at] : 0;
        const char sign = AccidentalGlyph(A);
        if (shown == A || sign == 0) {
            accidentalAt = 0;
        } else {
            const double d = A == 2 ? 1.375 : A == -2 ? 1.5 : 1.125;
            const int signWidth = dc->GetTextExtent(&sign, 1).cx;
            int signX = (int)(x[i] + ax - d * u);
            // An accidental keeps clear of the bar line and of the chord before it, as far as its head allows.
            if (C == 0)
                signX = AccidentalX(signX, signWidth,
                                    AccidentalLeftLimit(pass, position, dc->GetTextExtent(&head, 1).cx, u), hx);
            for (int j = 0; j < drawnCount && (int)u > 0;) {
                const Obstacle& o = drawn[j];
                if (std::abs(o.p - P) < o.reach && signX < o.right && signX + signWidth > o.left) {
                    signX = o.left - signWidth - 1;
                    j = 0;
                } else {
                    ++j;
                }
            }
            drawn[drawnCount++] = {P, signX, signX + signWidth, kAccidentalReach};
            marks[markCount++] = {signX, (int)headY, sign};
            accidentalAt = (int8_t)P;
        }
        column = C;

        const int dots = DotCount(StandardLengthIndex(low));
        if (dots > 0) {
            const double dy = P % 2 == 0 ? (direction > 0 ? 0.5 * u : -0.5 * u) : 0.0;
            const int dx = neighbour && direction > 0 ? (int)(8 * u / 8.0) : 0;
            const int y = (int)(row.rowY + P * u * 0.5 - 5.375 * u + dy);
            dc->TextOut((int)(x[i] + dx + 1.5 * u), y, &kDotGlyph, 1);
            if (dots > 1)
                dc->TextOut((int)(x[i] + dx + 2.0 * u), y, &kDotGlyph, 1);
        }

        int t = w1 / 2;
        if (t == 0 && direction <= 0)
            t = 1;
        const int sx = x[i] + (direction > 0 ? headWidth - t : t);
        const int by = (int)beamY(sx);

        const COLORREF colour = dc->GetTextColor();
        auto beam = [&](int level, int x2) {
            const double offset = direction * (level - 1) * 0.5 * u;
            FillBeamSegment(dc, POINT{sx, (int)(by + offset)}, POINT{x2, (int)(beamY(x2) + offset)}, w2, colour);
            groupUnbeamed = 0;
        };
        // A hook is as long as a head is wide where the stems leave room for it, so that stacked hooks read
        // as beams; it stops short of the stem it points to, lest that note seem to carry it.
        auto hook = [&](int otherStem) {
            const double gap = std::abs(otherStem - sx);
            const double length = std::max(0.75 * u, std::min(1.25 * u, gap / 2.0));
            return gap > 0 ? std::min(length, std::max(2.0, gap - 2.0)) : length;
        };
        const int xj = k < count - 1 ? x[i + step] + (sx - x[i]) : sx;
        const int towardNext = (int)(sx + step * hook(xj)), back = (int)(sx - step * hook(k > 0 ? previousStem : sx));
        if (k < count - 1) {
            const int j = i + step;
            const bool apart = slots[j].Position() != position;
            if (apart)
                beam(1, xj);
            bool next[5] = {};
            for (int level = 2; level <= 4; ++level) {
                if (!NeedsLevel(whole, level)) {
                    next[level] = false;
                } else if (NeedsLevel(slots[j].Length(), level)) {
                    if (apart)
                        beam(level, xj);
                    next[level] = apart ? true : b[level];
                } else {
                    if (apart) {
                        int side = 0;  // 1 towards the next note, -1 back towards the previous one
                        // Every level this note needs and no beam reaches gets its hook: towards the next note,
                        // or back when the previous one is beamed to this one at a level above the eighth's.
                        if (!b[level])
                            side = b[2] ? -1 : 1;
                        if (side != 0)
                            beam(level, side > 0 ? towardNext : back);
                    }
                    next[level] = level == 2 && b[2];
                }
            }
            for (int level = 2; level <= 4; ++level)
                b[level] = next[level];
        } else {
            for (int level = 2; level <= 4; ++level)
                if (NeedsLevel(whole, level) && !b[level] && !groupUnbeamed)
                    beam(level, back);
        }

        // The flag of a chord no beam reaches: one on its stem, which stands where an unshifted head puts it.
        // Drawn again for a head beside the others, it would stand apart from the first and pile up.
        const int tested = eachFlag ? whole : slots[0].Length();
        const char flag = FlagGlyph(slots[0].Length());
        if (groupUnbeamed && !beamed && !flagged && tested < 48 && tested != 32 && flag != 0) {
            const int fy = (int)(direction > 0 ? extreme - 2.375 * u : extreme - 8.5 * u);
            const char glyph = direction > 0 ? (char)(flag - 1) : flag;
            dc->TextOut(x[i], fy, &glyph, 1);
            flagged = true;
        }

        if (low < 192) {
            const int z = direction > 0 ? -1 : 1;
            FillStemSegment(dc, POINT{sx, by + z * (w2 / 2)}, POINT{sx, (int)(row.rowY + P * 0.5 * u)}, w1, colour);
        }
        previousP = P;
        previousStem = sx;
    }
    drawMarks();

    dc->SetTextColor(oldColour);
    dc->SelectObject(oldPen);
}
