// DrawAnimatedRects: a caption bar flying from one rectangle of the screen to another, as a window does when it
// is minimised or restored.
#pragma once

#include "kernel/windef.h"

#define IDANI_OPEN 1
#define IDANI_CAPTION 3
// Only IDANI_CAPTION animates; the call returns when the animation has finished. The window is not drawn on.
BOOL DrawAnimatedRects(HWND hWnd, int idAni, const RECT* from, const RECT* to);
