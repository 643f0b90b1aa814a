// Writing what a window shows, with any top-level windows laid over it, as a 24-bit BMP file.
#pragma once

#include <vector>

#include "ui/ui.h"

// Captures wnd and each of the overlays at its place on the screen; false when the file cannot be written.
bool WriteWindowShot(CWnd* wnd, const std::vector<CWnd*>& overlays, const char* path);
