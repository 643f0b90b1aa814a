// A song painted page by page by a score view without a window: the developer tool, tests and benchmarks.
#pragma once

#include <cstdint>
#include <vector>

#include "scoreview/score_view.h"

// Gives the view a client area of width x height at the zoom, lays out the strip of every track and
// computes the metrics, as the window would after its first WM_SIZE.
void PrepareHeadlessView(CScoreView& view, int width, int height, double zoom);
// Opens the strip at a measure: at its very start for measure 0, else scrolled so that the measure comes first.
void ScrollToMeasure(CScoreView& view, int measure);
// After a paint of the page scrolled to measure `asked`: the first measure the page did not show whole, where
// the next page begins; always past `asked` (a measure starting inside a beat scrolls to the one before it).
int NextPageMeasure(CScoreView& view, int asked);
// The measure that holds the song's last tick.
int LastSongMeasure(const CScoreView& view);
// The working page as top-down 32-bit BGRX pixels.
std::vector<uint32_t> PagePixels(const CPageBitmap& page);
