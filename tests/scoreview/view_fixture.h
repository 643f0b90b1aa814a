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
// Compares the working page with tests/scoreview/golden/NAME.bmp pixel by pixel; with KESTRIN_REGENERATE_GOLDEN
// set (tools/regenerate_scoreview_golden.sh) the golden file is rewritten instead.
void ExpectGolden(const CScoreView& view, const char* name);

// A note of a test song, in 48ths of a quarter note from the song's start.
struct TestNote {
    int start = 0;
    int length = 48;
    int pitch = 60;
    int accidental = 0;
    int stem = 0;
    int tuplet = 0;
    int graceLink = 0;
};
void AddNotes(CScore& song, int track, std::initializer_list<TestNote> notes);
// Shows the song's first track alone, 1.25 pixels per 48th at zoom 1, on a page 1100 pixels wide, and paints it.
void PaintNoteSong(CScoreView& view, double zoom);
