// Which measure opens the strip and which track stands in each staff row.
#pragma once

#include "render/measure_strip.h"

constexpr int kNoShownTrack = -1;

// The slot (0..29) of the n-th shown track (n from 0, slots in order), or kNoShownTrack when fewer than
// n + 1 tracks are shown. shown holds the 30 tracks' shown flags.
int GetNthVisibleTrack(const bool* shown, int n);

// The measure that holds the first visible beat; a negative beat is first set to 0.
int GetFirstVisibleMeasure(const MeasureInfo* measures, int division, int& firstVisibleBeat);
