// A score view without a window, its pages read back as pixels, and the songs the painter tests draw.
#pragma once

#include <cstdint>
#include <vector>

#include "scoreview/score_pages.h"

// Shows exactly the listed track slots of the view's song.
void ShowOnly(CScoreView& view, std::initializer_list<int> slots);
// The working page's pixel at (x, y) as 0xRRGGBB.
uint32_t PagePixel(const CScoreView& view, int x, int y);
// A song of three rows (treble, bass, piano staff) with key, time and clef changes and repeat marks.
void BuildFurnitureSong(CScore& song);
