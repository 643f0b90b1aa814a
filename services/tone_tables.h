// 256-entry tone tables: brightness (low end), highlight (high end) and gamma ramps.
#pragma once

#include "kernel/windef.h"

// A line through (inLow, outLow) and (inHigh, outHigh), clamped to 0..255. The amount overrides
// the low point: amount >= 0 lifts the output floor, a negative amount moves the input floor.
void BuildBrightnessTable(float amount, int inLow, int outLow, int inHigh, int outHigh, BYTE* table);

// The same ramp with the amount deciding the high point instead.
void BuildHighlightTable(float amount, int inLow, int outLow, int inHigh, int outHigh, BYTE* table);

// entry i = 255 * (i / 255) ^ g, where a darkening or lightening amount decides g.
void BuildGammaTable(float amount, BYTE* table);
