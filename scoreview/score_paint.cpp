// CScoreView::PaintScore: the painter's frame: strip origin, fonts, painted measures and rows, one staff
// after the other, and each row's end bar line.
#include "scoreview/score_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "render/drawing_primitives.h"
#include "render/visible_tracks.h"

namespace {

constexpr const char* kNumberFace = "Times New Roman";

void MakeMusicFont(CFont& font, int height, int width)
{
    font.CreateFont(height, width, 0, 0, 480, 0, 0, 0, 1, 1, 32, 0, 0x12, kMusicFontFace);
}

// A measure number above the first row, and the page as it was in its column, from the top of the page down
// to the number's place, before the row's notes were painted; kept only where a note stands near enough to
// reach the number.
struct MeasureNumber {
    int measure = 0;
    char text[16];
    int length = 0;
    int x = 0, width = 0;
    std::vector<COLORREF> before;
};

// The pixels of the column x .. x + width - 1 from y 0 down to bottom (exclusive), row by row, copied out of
// the page in one block.
std::vector<COLORREF> ReadColumn(CDC* dc, int x, int width, int bottom)
{
    std::vector<COLORREF> pixels;
    if (width <= 0 || bottom <= 0)
        return pixels;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC memory = CreateCompatibleDC(dc->GetSafeHdc());
    void* bits = nullptr;
    HBITMAP column = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory && column && bits) {
        HGDIOBJ old = SelectObject(memory, column);
        BitBlt(memory, 0, 0, width, bottom, dc->GetSafeHdc(), x, 0, SRCCOPY);
        const COLORREF* first = static_cast<const COLORREF*>(bits);
        pixels.assign(first, first + (size_t)width * bottom);
        SelectObject(memory, old);
    }
    if (column)
        DeleteObject(column);
    if (memory)
        DeleteDC(memory);
    return pixels;
}

// The number stands where it is placed unless a high note of the first row reaches there: then it goes up to
// the first place where the notes left its column as it was, if the page has one.
int MeasureNumberY(CDC* dc, const MeasureNumber& number, int y, int height)
{
    const int bottom = y + height;
    if (bottom <= 0 || number.width <= 0 || number.before.size() != (size_t)bottom * number.width)
        return y;
    std::vector<bool> inked((size_t)bottom);
    const std::vector<COLORREF> after = ReadColumn(dc, number.x, number.width, bottom);
    for (int row = 0; row < bottom; ++row)
        for (int i = 0; i < number.width; ++i) {
            size_t at = (size_t)(row * number.width + i);
            if (after[at] != number.before[at])
                inked[(size_t)row] = true;
        }
    for (int top = y; top >= 0; --top) {
        bool clear = true;
        for (int row = top; row < top + height && clear; ++row)
            clear = !inked[(size_t)row];
        if (clear)
            return top;
    }
    return y;
}

}  // namespace

int CScoreView::BarX(int measure) const
{
    return stripOriginX + StripRoom(100, zoom) + MeasureBarX(score.measureTable, measureX, noteSpacing, measure, zoom) -
           measureX[firstPaintedMeasure].content;
}

double CScoreView::MeasureSpacing(int measure) const { return ::MeasureSpacing(measureX, measure, noteSpacing); }

int CScoreView::ContentX(int measure) const
{
    int m = std::clamp(measure, 0, kStripMeasureCount - 1);
    return stripOriginX + StripRoom(100, zoom) + measureX[m].content - measureX[firstPaintedMeasure].content;
}

int CScoreView::PaintStaffFrame(CDC* dc, const StaffPass& pass)
{
    const double u = unit;
    const int width = pageBitmap.Width();
    const int rowY = pass.rowY;
    const int top = pass.staff == 1 ? (int)(rowY - lowerStaffSpacingPx) : rowY;
    const int y0 = (int)(rowY + 9 * u);
    for (int i = 0; i < 5; ++i) {
        dc->MoveTo(pass.x0 - 5, (int)(y0 + i * u));
        dc->LineTo(width, (int)(y0 + i * u));
    }
    dc->MoveTo(pass.x0 - 5, (int)(top + 9 * u));
    dc->LineTo(pass.x0 - 5, (int)(rowY + 13 * u));
    if (pass.staff == 1) {
        CFont brace;
        MakeMusicFont(brace, (int)(1.12 * staffSpacingPx), 16);
        CFont* old = dc->SelectObject(&brace);
        dc->TextOut(pass.x0 - 22, (int)(rowY - lowerStaffSpacingPx + 7.7 * u), "c", 1);
        dc->TextOut(pass.x0 - 22, (int)(rowY - lowerStaffSpacingPx + 13.8 * u), "d", 1);
        dc->SelectObject(old);
    }
    for (int m = firstPaintedMeasure + 1; m < endPaintedMeasure; ++m) {
        int x = BarX(m);
        dc->MoveTo(x, (int)(top + 9 * u));
        dc->LineTo(x, (int)(rowY + 13 * u));
    }
    return top;
}

void CScoreView::PaintEndBar(CDC* dc, int endMeasure, int top, int rowY)
{
    if (endMeasure <= firstPaintedMeasure)
        return;
    int x = BarX(endMeasure);
    if (x + 5 >= pageBitmap.Width())
        return;
    double w = (int)(0.75 * unit);
    int y1 = (int)(top + 9 * unit), y2 = (int)(rowY + 13 * unit);
    DrawBar(dc, x, y1, y2, w);
    DrawBar(dc, x - (int)(w * 0.75 + 1.0), y1, y2, 1.0);
}

void CScoreView::PaintScore(CDC* dc)
{
    if (firstVisibleBeat == 0)
        atStart = 1;
    const int division = score.division;
    if (division == 0)
        return;
    const int first = GetFirstVisibleMeasure();
    const int off = (firstVisibleBeat - score.MeasureStartTick(first) / division) * 48;
    if (noteSpacing == 0)
        return;
    // The room before the first measure's notes grows with the zoom, as its clef and signatures do.
    const int room = StripRoom(100, zoom);
    stripOriginX = (int)((atStart ? 50 : -StripRoom(87, zoom)) - off * MeasureSpacing(first));
    beamReference = 28.0;
    const int x0 = stripOriginX, xm = x0 + room;
    const double u = unit;
    const int width = pageBitmap.Width(), height = pageBitmap.Height();

    CFont noteFont, clefFont, numberFont;
    MakeMusicFont(noteFont, (int)(11 * u), (int)(18 * u / 8));
    // The clef and number sizes are those of zoom 1, grown with the staff.
    MakeMusicFont(clefFont, (int)(88 * u / 8), (int)(18 * u / 8));
    numberFont.CreateFont((int)(16 * u / 8), (int)(8 * u / 8), 0, 0, 600, 1, 0, 0, 1, 1, 32, 0, 0x12, kNumberFace);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = dc->SelectObject(&pen);
    CFont* oldFont = dc->SelectObject(&noteFont);
    COLORREF oldColour = dc->SetTextColor(RGB(0, 0, 0));

    firstPaintedMeasure = std::min(first, kStripMeasureCount - 1);
    endPaintedMeasure = firstPaintedMeasure;
    while (endPaintedMeasure < kStripMeasureCount &&
           measureX[endPaintedMeasure].start - measureX[firstPaintedMeasure].content <= width - x0 - room)
        ++endPaintedMeasure;

    if (staffSpacingPx != 0) {
        const double s = staffSpacingPx;
        const int rows = (int)(std::fabs(height - rowOrigin) / s + 1.0);
        // The measure numbers stand above the first row, placed once its notes show where there is room.
        std::vector<MeasureNumber> numbers;
        const int numberY = (int)(rowOrigin + 4 * u);
        dc->SelectObject(&numberFont);
        const int numberHeight = dc->GetTextExtent("0", 1).cy;
        for (int m = firstPaintedMeasure + 1; m < endPaintedMeasure; ++m) {
            MeasureNumber number;
            number.measure = m;
            number.length = std::snprintf(number.text, sizeof number.text, "%d", m);
            number.x = BarX(m) - (m < 10 ? 4 : m < 100 ? 8 : m < 1000 ? 12 : 16);
            number.width = dc->GetTextExtent(number.text, number.length).cx;
            numbers.push_back(number);
        }
        dc->SelectObject(&noteFont);
        int endMeasure = 1;
        int previousStaves = 0;  // the first row has no row above for its repeat signs to reach
        bool stop = false;
        int row = 0;
        for (int n = 0; row < rows && !stop; ++n) {
            int t = GetNthVisibleTrack(false, n);
            if (t == kNoShownTrack)
                break;
            CTrack* track = score.GetTrack(t);
            int rowY = (int)(rowOrigin + row * s);
            PaintMeasureMarks(dc, t, firstPaintedMeasure, endPaintedMeasure, (int)(rowY + 11 * u), u, previousStaves);
            LayoutTrackNotes(t, std::max(0, firstPaintedMeasure - 2), endPaintedMeasure, score.GetTrackNotes(t));
            if (row == 0) {
                // A note's ink reaches an accidental's width left of its place and its dots and flag right of it.
                CSlotList& upper = noteSlots[t][0];
                for (int i = 0; i < upper.Count(); ++i) {
                    const Slot slot = upper.GetAt(i);
                    const int at = (int)(ContentX(slot.Measure()) + slot.Position() * MeasureSpacing(slot.Measure()));
                    for (MeasureNumber& number : numbers)
                        if (number.before.empty() && std::abs(slot.Measure() - number.measure) <= 1 &&
                            at - 1.5 * u < number.x + number.width && at + 2.5 * u > number.x)
                            number.before = ReadColumn(dc, number.x, number.width, numberY + numberHeight);
                }
            }
            dc->SelectObject(&noteFont);
            const int staves = track->ClefAtMeasure(0) == 4 ? 2 : 1;
            int top = rowY;
            for (int k = 0; k < staves && !stop; ++k) {
                if (k == 1)
                    rowY = (int)(rowY + lowerStaffSpacingPx);
                PaintTrackRecords(dc, t, firstPaintedMeasure, endPaintedMeasure, xm, (int)(rowY + 11 * u), (int)u, k);
                CSlotList& slots = noteSlots[t][k];
                int count = slots.Count();
                StaffPass pass;
                pass.track = t;
                pass.staff = k;
                pass.rowY = rowY;
                pass.x0 = x0;
                pass.xm = xm;
                pass.lastUsedMeasure = count > 0 ? slots.GetValue(count - 1, 0) + 1 : 0;
                pass.noteFont = &noteFont;
                pass.numberFont = &numberFont;
                top = PaintStaffFrame(dc, pass);
                endMeasure = std::max(endMeasure, pass.lastUsedMeasure);
                PaintMeasureFurniture(dc, pass, &clefFont);
                dc->SetTextColor(RGB(0, 0, 0));
                stop = !PaintStaffEvents(dc, pass);
                dc->SelectObject(&noteFont);
                dc->SelectObject(&pen);
                dc->SetTextColor(RGB(0, 0, 0));
            }
            if (row == 0) {
                CFont* old = dc->SelectObject(&numberFont);
                for (const MeasureNumber& number : numbers)
                    dc->TextOut(number.x, MeasureNumberY(dc, number, numberY, numberHeight), number.text,
                                number.length);
                dc->SelectObject(old);
            }
            if (!stop)
                PaintEndBar(dc, std::min(endMeasure, kStripMeasureCount), top, rowY);
            previousStaves = staves;
            row += staves;
        }
    }

    dc->SetTextColor(oldColour);
    dc->SelectObject(oldFont);
    dc->SelectObject(oldPen);
}
