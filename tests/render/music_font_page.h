// A white 32-bit page with the program's music font registered, for drawing glyphs as the score painters do.
#pragma once

#include <string>

#include "gdi/afxgdi.h"
#include "render/music_font_resource.h"

// The ink of a drawing: the rectangle of its non-white pixels (empty when nothing was drawn).
struct Ink {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left; }
};

class MusicFontPage {
public:
    MusicFontPage(int width, int height);
    ~MusicFontPage();
    MusicFontPage(const MusicFontPage&) = delete;
    MusicFontPage& operator=(const MusicFontPage&) = delete;

    // False when the font file could not be registered from the program folder.
    bool Registered() const { return m_fontResource.Registered(); }
    HDC dc() const { return m_dc; }
    void Clear();
    // Selects a music font of the cell height and width (pixels), deleting the one selected before.
    void SelectFont(int height, int width);
    // Draws one character code with its cell's top-left at (x, y), in black.
    void Glyph(int x, int y, unsigned char code);
    int Advance(unsigned char code);
    Ink InkOf() const;
    bool Inked(int x, int y) const { return (GetPixel(m_dc, x, y) & 0xFFFFFF) != 0xFFFFFF; }
    // Writes the page as a 24-bit BMP file.
    bool WriteBmp(const std::string& path) const;

private:
    int m_width;
    int m_height;
    CMusicFontResource m_fontResource;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    HFONT m_font = nullptr;
    HGDIOBJ m_oldFont = nullptr;
    void* m_bits = nullptr;
};
