// The music-font test page.
#include "music_font_page.h"

#include <algorithm>
#include <cstring>

#include "tests/support/bmp_file.h"

MusicFontPage::MusicFontPage(int width, int height) : m_width(width), m_height(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_oldBitmap = SelectObject(m_dc, m_bitmap);
    SetBkMode(m_dc, TRANSPARENT);
    Clear();
}

MusicFontPage::~MusicFontPage()
{
    if (m_font) {
        SelectObject(m_dc, m_oldFont);
        DeleteObject(m_font);
    }
    SelectObject(m_dc, m_oldBitmap);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void MusicFontPage::Clear() { std::memset(m_bits, 0xFF, (size_t)m_width * m_height * 4); }

void MusicFontPage::SelectFont(int height, int width)
{
    // The painters' font: character set 1, output precision 1, clip precision 32, quality 0, family 0x12.
    HFONT font = CreateFontA(height, width, 0, 0, 480, 0, 0, 0, 1, 1, 32, 0, 0x12, kMusicFontFace);
    HGDIOBJ old = SelectObject(m_dc, font);
    if (m_font)
        DeleteObject(m_font);
    else
        m_oldFont = old;
    m_font = font;
}

void MusicFontPage::Glyph(int x, int y, unsigned char code)
{
    char text[1] = {(char)code};
    TextOutA(m_dc, x, y, text, 1);
}

int MusicFontPage::Advance(unsigned char code)
{
    char text[1] = {(char)code};
    SIZE size{};
    GetTextExtentPoint32A(m_dc, text, 1, &size);
    return size.cx;
}

Ink MusicFontPage::InkOf() const
{
    Ink ink{m_width, m_height, 0, 0};
    const auto* px = static_cast<const uint32_t*>(m_bits);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            if ((px[(size_t)y * m_width + x] & 0xFFFFFF) == 0xFFFFFF)
                continue;
            ink.left = std::min(ink.left, x);
            ink.top = std::min(ink.top, y);
            ink.right = std::max(ink.right, x + 1);
            ink.bottom = std::max(ink.bottom, y + 1);
        }
    }
    return ink.right > 0 ? ink : Ink{};
}

bool MusicFontPage::WriteBmp(const std::string& path) const { return WriteBmp24(path, m_bits, m_width, m_height); }
