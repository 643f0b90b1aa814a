// Text runs shared by the text functions and DrawText: measuring and drawing one line of characters.
#pragma once

#include <memory>
#include <vector>

#include "gdi/gdi_fonts.h"
#include "gdi/gdi_objects.h"

namespace gdi {

struct TextRun {
    std::shared_ptr<FontFace> face;
    LOGFONTA font{};
    std::vector<uint32_t> codes;
    std::vector<int> bytes;     // bytes of each character in the text
    std::vector<int> advances;  // per character, with the context's extra character spacing
    int width = 0;
};

// The face of a font object (null: the default description), resolved once per font-resource generation and
// kept on the object, since text is drawn many times with one font (the caller holds FontMutex()).
std::shared_ptr<FontFace> FaceOfFont(Font* font);

// Decodes and measures text in the context's font (the caller holds FontMutex()). Explicit advances dx are
// given per byte, as for byte strings; a character of several bytes advances by the sum of its bytes' values.
TextRun MeasureRun(const Dc& dc, const char* text, int length, const INT* dx = nullptr);
// The same into a run whose vectors keep their storage (callers measuring one run at a time reuse one).
void MeasureRunInto(TextRun& run, const Dc& dc, const char* text, int length, const INT* dx = nullptr);
// Draws a measured run with its left end at device x and its baseline at device y; clipRect (device) when given.
void DrawRun(Dc& dc, const TextRun& run, int x, int baseline, const RECT* clipRect);

}  // namespace gdi
