// Mapping between ticks and page x on the measure strip, and the note grid.
#pragma once

#include "render/measure_strip.h"

// What the mapping reads of the view and the song.
struct StripView {
    const MeasureInfo* measures = nullptr;  // the song's 200 measures
    int division = 96;                      // ticks per quarter note
    const MeasureXTable* measureX = nullptr;
    int stripOriginX = 50;  // set by the painter on every paint
    int firstVisibleMeasure = 0;
    double noteSpacing = 1.5;  // pixels per 48th of a quarter note
    double zoom = 1.0;         // the strip's fixed room grows with it (StripRoom)
};

// The note grid that x positions snap to while notes are entered or dragged.
struct GridSnap {
    bool on = false;
    double gridValue = 4.0;         // 4.0 = a sixteenth; the step is 3 x gridValue 48ths
    double tripletGridValue = 8.0;  // used instead while triplet entry is on, two thirds of it
    bool triplet = false;
};

// Page x of a tick: its measure's content start plus its distance into the measure; 0 for a negative tick.
// A tick past the 200th measure counts from measure 199.
int TickToStripX(const StripView& view, int tick);

// The tick under page x: at most the end of the measure under it, never negative, snapped to the grid's
// pixel steps (halves up) when the grid is on.
int StripXToTick(const StripView& view, const GridSnap& grid, int x);

// A tick rounded to the nearest point of the grid (halves to the later one); unchanged when the grid step
// is less than a tick.
int SnapTick(int tick, int division, double gridValue);

// Turns the decimal digits of a zero-terminated text into the music font's digit codes 'D'..'M'.
void ToMusicDigits(char* text);
