// Repeat signs.
#include "render/measure_marks.h"

#include <algorithm>
#include <cmath>

#include "render/drawing_primitives.h"

void PaintMeasureMarks(CDC* dc, const MeasureMark* marks, const MeasureMarkRow& row)
{
    const double unit = row.unit;
    const int thick = std::max(1, (int)(unit * 0.75));
    const int thin = std::max(1, (int)(unit * 0.08));
    const int h = std::max(1, (int)(unit * 0.08 / 2));
    const MeasureXTable& table = *row.measureX;
    const int m0 = row.firstMeasure, m1 = row.lastMeasure;
    if (m0 < 0 || m0 >= kStripMeasureCount)
        return;
    for (const MeasureMark* mark = marks; mark; mark = mark->next) {
        bool start = mark->value == 0;
        if (!start && mark->value != 1)
            continue;
        if (mark->measure < m0 || mark->measure > m1)
            continue;
        if ((!start && mark->measure == m0) || (start && mark->measure == m1))
            continue;
        int x;
        if (mark->measure == m1)
            x = row.rightEndX;
        else if (mark->measure < kStripMeasureCount)
            x = table[mark->measure].start - table[m0].content;
        else
            continue;
        const int staffTop = (int)(row.y - 2 * unit - h / 2);
        int top = staffTop;
        int bottom = (int)(row.y + 2 * unit + h);
        if (row.extend != 0)
            top = (int)(top - (std::lround(7 * unit) - unit));
        int d = start ? 1 : -1;
        DrawBar(dc, x, top, bottom, thick);
        x += d * thick;
        DrawBar(dc, x, top, bottom, thin);
        x = (int)(x + d * thick * 0.75);
        // The dots keep to the row's own staff when the bars reach up to the staff above.
        DrawDotPair(dc, x, (int)(staffTop + 2 * unit), unit);
    }
}
