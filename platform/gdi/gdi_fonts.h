// Fonts: face names resolved to font files, sized by the logical-font rules, with cached glyph bitmaps.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "kernel/windef.h"

namespace gdi {

struct Glyph {
    int left = 0;  // from the pen position to the bitmap's left column
    int top = 0;   // from the baseline up to the bitmap's top row
    int width = 0;
    int rows = 0;
    int advance = 0;                // pixels to the next pen position
    std::vector<uint8_t> coverage;  // width x rows, 0..255 (0 or 255 without antialiasing)
    // The runs of columns [first, second) whose coverage is at least 128, what is drawn without blending:
    // row y's are solid[solidRows[y] .. solidRows[y + 1]); empty when not worked out.
    std::vector<std::pair<int, int>> solid;
    std::vector<int> solidRows;
};

struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int height = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int underlinePosition = 0;  // pixels below the baseline
    int underlineThickness = 1;
    int strikeoutPosition = 0;  // pixels above the baseline
    int strikeoutThickness = 1;
    bool fixedPitch = false;
};

class FontFace {
public:
    virtual ~FontFace() = default;
    virtual const FontMetrics& Metrics() const = 0;
    // The glyph of a character code; a code the font lacks comes from a fallback face or as the missing-glyph box.
    virtual const Glyph& GlyphOf(uint32_t code) = 0;
    virtual bool Antialiased() const = 0;
    virtual std::string FamilyName() const = 0;
};

// The face for a logical font (cached: equal descriptions share one face).
std::shared_ptr<FontFace> ResolveFont(const LOGFONTA& font);

// Counts the changes of the process font resources: a face resolved in an earlier generation may be stale.
unsigned FontGeneration();

// The font engine serves one caller at a time; text calls hold this lock.
std::recursive_mutex& FontMutex();

// Registers a font file under its family name (font resources of the process); the count of faces added.
int AddFontFile(const std::string& path);
bool RemoveFontFile(const std::string& path);

// Decodes text: UTF-8 sequences become their characters, any other byte stands for the character of its own code.
// When byteCounts is given it receives the number of bytes of each character.
std::vector<uint32_t> DecodeText(const char* text, int length, std::vector<int>* byteCounts = nullptr);
// The same into given vectors, which keep their storage from call to call.
void DecodeTextInto(const char* text, int length, std::vector<uint32_t>& out, std::vector<int>* byteCounts);

}  // namespace gdi
