// Small drawing helpers: the filled marker triangle, a square marker and a colour box.
#pragma once

#include "kernel/windef.h"

class CDC;

// Fills an isosceles triangle inside rect with 1-pixel lines of colour: direction 0 apex down
// (base on the top edge), 1 apex right, 2 apex up, 3 apex left.
void DrawTriangle(CDC* dc, int direction, const RECT& rect, COLORREF colour);

// A white 1-pixel square outline through (x - d, y - d) and (x + d, y + d).
void DrawSquareMarker(CDC* dc, POINT point, int d);

// The normalised rectangle filled line by line in red (kind 0), green (1) or white (2), then
// outlined in white.
void DrawColourBox(CDC* dc, int kind, const RECT& rect);
