// The grace-note figure painter: one to four small ornamental notes written by scale degree, left of a tick.
#pragma once

#include <functional>

#include "gdi/afxgdi.h"
#include "song/element_records.h"

// What the painter reads of the figure's track.
struct GraceFigureTrack {
    int8_t referencePitch = 60;
    bool grandStaff = false;  // the track's clef at measure 0 is the grand staff
    int measure = 0;          // the measure that holds the figure's tick
    // Staff position of a pitch in a measure on staff 0 (upper) or 1 (lower).
    std::function<int(int staff, int measure, int pitch)> staffPosition;
};

// Music-font codes of a single small note with 0, 1 and 2 flags; the one-flag form has a code of its own,
// since 'e' is the G clef.
constexpr char kGraceNoteCodes[3] = {'q', 'w', 'x'};
constexpr unsigned char kGraceHeadCode = 0xCF;

// Draws the figure with the first note's left edge at x on the row whose middle staff line is y.
void PaintGraceFigure(CDC* dc, const GraceFigureTrack& track, int x, int y, const TrackRecord40& figure, double unit);
