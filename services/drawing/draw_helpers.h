// Small drawing helpers: the filled marker triangle, a square marker and a colour box.
#pragma once

#include "gdi/afxgdi.h"
#include "kernel/windef.h"

// Fills an isosceles triangle inside rect with 1-pixel lines of colour: direction 0 apex down
// (base on the top edge), 1 apex right, 2 apex up, 3 apex left.
void DrawTriangle(HDC dc, int direction, const RECT& rect, COLORREF colour);
inline void DrawTriangle(CDC* dc, int direction, const RECT& rect, COLORREF colour)
{
    DrawTriangle(dc->GetSafeHdc(), direction, rect, colour);
}

// A white 1-pixel square outline through (x - d, y - d) and (x + d, y + d).
void DrawSquareMarker(HDC dc, POINT point, int d);
inline void DrawSquareMarker(CDC* dc, POINT point, int d) { DrawSquareMarker(dc->GetSafeHdc(), point, d); }

// The normalised rectangle filled line by line in red (kind 0), green (1) or white (2), then
// outlined in white.
void DrawColourBox(HDC dc, int kind, const RECT& rect);
inline void DrawColourBox(CDC* dc, int kind, const RECT& rect) { DrawColourBox(dc->GetSafeHdc(), kind, rect); }
