// Repeat signs of the song's measure marks on one staff row.
#pragma once

#include "gdi/afxgdi.h"
#include "render/measure_strip.h"

// What the repeat-sign painter reads of the view.
struct MeasureMarkRow {
    const MeasureXTable* measureX = nullptr;
    int firstMeasure = 0;  // first painted measure: its content start is x 0 in the painter's frame
    int lastMeasure = 0;   // end of the painted measures (at most 200)
    int y = 0;             // the row's middle staff line
    double unit = 8.0;
    int extend = 0;     // non-zero: the signs reach up to the staff above (a piano staff's upper staff)
    int rightEndX = 0;  // where a sign at the last painted measure stands: the row's right end
};

// Draws a thick bar, a thin bar and a dot pair for every repeat start (value 0) and end (value 1) mark of
// the painted measures; an end mark at the first and a start mark at the last measure are left out.
void PaintMeasureMarks(CDC* dc, const MeasureMark* marks, const MeasureMarkRow& row);
