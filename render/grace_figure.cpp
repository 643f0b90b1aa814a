// The grace-note figure painter.
#include "render/grace_figure.h"

#include <algorithm>
#include <cmath>

#include "render/note_arithmetic.h"

void PaintGraceFigure(CDC* dc, const GraceFigureTrack& track, int x, int y, const TrackRecord40& figure, double unit)
{
    const int count = std::clamp<int>(figure.noteCount, 0, 4);
    if (count == 0)
        return;
    const int s = (int)(unit * 0.65);
    CFont font;
    font.CreateFont((int)(unit * 0.63 * 10.0), s * 18 / 8, 0, 0, 480, 0, 0, 0, 1, 1, 0x20, 0, 0x12, "8888 8888");
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CFont* oldFont = dc->SelectObject(&font);
    CPen* oldPen = dc->SelectObject(&pen);
    COLORREF oldColour = dc->SetTextColor(RGB(0, 0, 0));
    const int staff = track.grandStaff && figure.lowerStaff ? 1 : 0;

    int headX[4] = {}, headY[4] = {};
    int top = 0, topIndex = 0, bottom = 0;
    for (int i = 0; i < count; ++i) {
        uint8_t pitch = PitchFromStep(track.referencePitch, figure.steps[i], figure.octaves[i], figure.directions[i]);
        int p = track.staffPosition(staff, track.measure, pitch);
        int a = (int)(unit * 0.28 * 11.0);
        int yT = (int)(y - 11.0 * unit + (unit / 2.0) * p - a);
        int xL = (int)(x + i * unit);
        headX[i] = xL;
        headY[i] = yT + a;
        if (i == 0 || headY[i] < top) {
            top = headY[i];
            topIndex = i;
        }
        if (i == 0 || headY[i] > bottom)
            bottom = headY[i];
        char code = count == 1 ? kGraceNoteCodes[figure.beamCount >= 0 && figure.beamCount <= 2 ? figure.beamCount : 0]
                               : (char)kGraceHeadCode;
        dc->TextOut(xL, yT, &code, 1);
        if (figure.accidentals[i] == -1 || figure.accidentals[i] == 1) {
            char sign = figure.accidentals[i] == -1 ? 'a' : '_';
            dc->TextOut(xL - s, yT, &sign, 1);
        }
        // Segments at the middle line and every line from it to the head: staff lines inside, ledgers outside.
        float d = (float)(headY[i] - y);
        float lines = std::fabs(d) / (float)(unit / 2.0);
        for (int j = 0; j < lines + 1; j += 2) {
            if (lines == 0)
                break;
            int yj = (int)(y + d * j / lines);
            dc->MoveTo(xL - 2, yj);
            dc->LineTo(xL + s + 2, yj);
        }
    }
    dc->SetTextColor(oldColour);
    dc->SelectObject(oldFont);

    if (count == 1 && figure.slash == 1) {
        dc->MoveTo(headX[0] + s / 2, (int)(headY[0] - 0.75 * unit));
        dc->LineTo(headX[0] + 2 * s + 3, (int)(headY[0] - 1.25 * unit));
    }
    int first = headY[0], last = headY[count - 1];
    int yA, yB;
    if (first == last) {
        yA = yB = (int)(top - 2.0 * unit);
    } else {
        if (first < last) {
            yA = topIndex == 0 ? top : (int)(top - 0.5 * unit);
            yB = (int)(top + 0.5 * unit);
        } else {
            yA = (int)(top + 0.5 * unit);
            yB = topIndex == count - 1 ? top : (int)(top - 0.5 * unit);
        }
        yA = (int)(yA - 2.0 * unit);
        yB = (int)(yB - 2.0 * unit);
    }
    // A slur under the figure, thicker in the middle.
    POINT p1{headX[0] + s / 2, bottom + s / 2}, p2{headX[count - 1] + 2 * s, bottom + s / 2};
    for (int j = 0; j < unit / 8.0 + 1; ++j)
        dc->Arc(p1.x, (int)(p1.y - unit + j), p2.x, (int)(p1.y + unit - j), p1.x, p1.y, p2.x, p2.y);
    if (count >= 2) {
        for (int i = 0; i < count; ++i) {
            dc->MoveTo(headX[i] + s, headY[i]);
            dc->LineTo(headX[i] + s, (int)(yA + ((yB - yA) * i) / (count - 1.0)));
        }
        for (int beam = 0; beam < figure.beamCount; ++beam) {
            for (int line = 0; line < 3; ++line) {
                dc->MoveTo(headX[0] + s, yA);
                dc->LineTo(headX[count - 1] + s, yB);
                ++yA;
                ++yB;
            }
            yA += 2;
            yB += 2;
        }
    }
    dc->SelectObject(oldPen);
}
