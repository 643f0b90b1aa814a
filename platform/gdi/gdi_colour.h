// Colour references turned into pixel values of a context's surface.
#pragma once

#include "gdi/gdi_objects.h"

namespace gdi {

// The plain colour a reference names: PALETTEINDEX selects an entry of the context's palette.
COLORREF ResolveColour(const Dc& dc, COLORREF colour);
// The surface's pixel value for a colour reference; DIBINDEX selects an entry of the surface's colour table.
uint32_t ColourValue(const Dc& dc, COLORREF colour);
// The pixel value of a pen or brush colour. On a 1-bit DIB a colour that is not in the two-entry table takes the
// background colour's index when it is the background colour, and the other index otherwise.
uint32_t DrawingValue(const Dc& dc, COLORREF colour);

}  // namespace gdi
