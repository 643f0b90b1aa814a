// CScoreView: the clefs, key signatures and time signatures drawn at the head of painted measures.
#include "scoreview/score_view.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kSharpGlyph = 0x5F;
constexpr char kFlatGlyph = 0x61;
constexpr char kNaturalGlyph = 0x5C;
constexpr char kGClefGlyph = 0x65;
constexpr char kCClefGlyph = 0x66;
constexpr char kFClefGlyph = 0x67;

// Staff steps of each accidental of a key, by key kind and clef.
constexpr int kKeySteps[8][7] = {
    {0, 3, -1, 2, 5, 1, 4}, {1, 4, 0, 3, 6, 2, 5}, {6, 2, 5, 1, 4, 0, 3}, {2, 5, 1, 4, 7, 3, 6},
    {4, 1, 5, 2, 6, 3, 7},  {5, 2, 6, 3, 7, 4, 8}, {3, 0, 4, 1, 5, 2, 6}, {6, 3, 7, 4, 8, 5, 9},
};

int KeyRow(int kind, int clef, int staff)
{
    if (clef == 4)
        clef = staff == 0 ? 0 : 3;
    if (clef < 0 || clef > 3)
        clef = 0;
    return kind == 1 ? clef : clef + 4;
}

int KeyAccidentals(const MeasureInfo& info) { return info.keyKind == 0 ? 0 : std::clamp(info.keyCount + 1, 0, 7); }

void PutGlyph(CDC* dc, int x, int y, char glyph) { dc->TextOut(x, y, &glyph, 1); }

}  // namespace

void CScoreView::PaintMeasureFurniture(CDC* dc, const StaffPass& pass, CFont* clefFont)
{
    const CTrack* track = score.GetTrack(pass.track);
    if (!track)
        return;
    const int first = firstPaintedMeasure;
    const int rowY = pass.rowY;
    // The furniture's offsets are laid out for zoom 1: they grow with the staff, as its glyphs do.
    const double z = unit / 8.0;
    auto px = [z](int pixels) { return (int)(pixels * z); };
    for (int m = first; m < endPaintedMeasure; ++m) {
        const MeasureInfo& info = score.measureTable[m];
        const MeasureInfo* before = m > 0 ? &score.measureTable[m - 1] : nullptr;
        int cx = m == first ? pass.x0 : BarX(m) + 4;
        int furnitureRight = 0;  // the right edge of the clef and key signature drawn at this measure
        int clef = track->ClefAtMeasure(m);
        bool clefChanged = before && clef != track->ClefAtMeasure(m - 1);

        if (m == first || clefChanged) {
            char glyph = kGClefGlyph;
            int y = rowY + px(60);
            if (clef == 1 || clef == 2)
                glyph = kCClefGlyph;
            if (clef == 2)
                y = rowY + px(52);
            if (clef == 3 || (clef == 4 && pass.staff == 1))
                glyph = kFClefGlyph;
            CFont* old = dc->SelectObject(clefFont);
            PutGlyph(dc, cx, y, glyph);
            furnitureRight = cx + dc->GetTextExtent(&glyph, 1).cx;
            dc->SelectObject(old);
        }

        bool keyChanged = before && (info.keyKind != before->keyKind || info.keyCount != before->keyCount);
        if (m == first || keyChanged || (clefChanged && info.keyKind != 0)) {
            // Zoomed, the clef grows past the room it has at zoom 1: the key then follows the clef.
            int g = (m == first || clefChanged) ? std::max(23, furnitureRight - cx) : 3;
            if (info.keyKind == 1 || info.keyKind == 2) {
                int r = KeyRow(info.keyKind, clef, pass.staff);
                char glyph = info.keyKind == 1 ? kSharpGlyph : kFlatGlyph;
                for (int i = 0; i < KeyAccidentals(info); ++i) {
                    PutGlyph(dc, cx + g + px(6 * i), rowY + px(28 + 4 * kKeySteps[r][i]), glyph);
                    furnitureRight = cx + g + px(6 * i) + dc->GetTextExtent(&glyph, 1).cx;
                }
            } else if (keyChanged && (before->keyKind == 1 || before->keyKind == 2)) {
                int r = KeyRow(before->keyKind, track->ClefAtMeasure(m - 1), pass.staff);
                for (int i = 0; i < KeyAccidentals(*before); ++i) {
                    PutGlyph(dc, cx + g + px(6 * i), rowY + px(28 + 4 * kKeySteps[r][i]), kNaturalGlyph);
                    furnitureRight = cx + g + px(6 * i) + dc->GetTextExtent(&kNaturalGlyph, 1).cx;
                }
            }
        }

        if (m == first ||
            (before && (info.numerator != before->numerator || info.denominator != before->denominator))) {
            int values[2] = {info.numerator, info.denominator};
            int ys[2] = {rowY + px(36), rowY + px(53)};
            for (int i = 0; i < 2; ++i) {
                char text[8];
                std::snprintf(text, sizeof text, "%d", values[i]);
                ToMusicDigits(text);
                int x = pass.xm + measureX[m].content - 8 - measureX[first].content - px(values[i] > 9 ? 30 : 25);
                x = std::max(x, furnitureRight + px(2));
                dc->TextOut(x, ys[i], text, (int)std::strlen(text));
            }
        }
    }
}
