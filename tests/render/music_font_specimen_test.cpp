// Paints a specimen page of the music font at zoom 1 and 2, placed as the score painters place the glyphs,
// into music_font_specimen.bmp in the build folder for review by eye.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "music_font_page.h"

namespace {

const COLORREF kNoteColour = 0x808080;
const int kWidth = 1200;

class Specimen {
public:
    Specimen(MusicFontPage& page, int zoom, int top) : m_page(page), m_u(8.0 * zoom), m_top(top) {}

    // Every code along a staff, each labelled with its code below the staff; a full staff goes on below it.
    void AllCodes()
    {
        const char* codes = "!\"#$%&'()*+,-01=>?@ABDEFGHIJKLM\\^_`abcdefgqwx\xA1\xC0\xCF";
        Staff(m_top);
        int x = 20;
        for (const char* c = codes; *c; ++c) {
            unsigned char code = (unsigned char)*c;
            if (x + 4 * m_u > kWidth) {
                m_top += (int)(16 * m_u);
                Staff(m_top);
                x = 20;
            }
            NoteFont();
            int y = m_top + (int)(5.5 * m_u);  // the baseline on the middle line
            if (code >= 'e' && code <= 'g')
                y = m_top + (int)(7.5 * m_u);
            if (code == 'c' || code == 'd')
                y = m_top + (int)(2.0 * m_u);
            m_page.Glyph(x, y, code);
            int advance = m_page.Advance(code);
            Label(x, m_top + (int)(17 * m_u), code);
            x += std::max(advance, (int)(1.5 * m_u)) + (int)(1.5 * m_u);
        }
    }

    // A treble staff with a key, a time, notes of every length with accidentals and dots, and rests.
    void Excerpt()
    {
        int rowY = m_top;
        Staff(rowY);
        NoteFont();
        m_page.Glyph(10, rowY + (int)(7.5 * m_u), 'e');
        int x = 10 + (int)(3.2 * m_u);
        for (int step : {0, 3, -1}) {
            m_page.Glyph(x, rowY + (int)((7 + step) * m_u / 2), 0x5F);
            x += (int)(0.75 * m_u);
        }
        x += (int)(1.2 * m_u);
        m_page.Glyph(x, rowY + (int)(4.5 * m_u), 'H');
        m_page.Glyph(x, rowY + (int)(6.5 * m_u), 'H');
        x += (int)(3 * m_u);
        struct Event {
            int position;  // staff position, 22 the middle line
            unsigned char glyph;
            unsigned char accidental;  // 0 none
            int dots;
        };
        const Event events[] = {{28, 0x24, 0, 0},    {27, 0x26, 0x5F, 1}, {26, 0x28, 0, 0}, {25, 0x2A, 0x61, 0},
                                {24, 0x2C, 0, 0},    {23, 0x22, 0x60, 2}, {22, 0x25, 0, 0}, {21, 0x27, 0x5E, 0},
                                {20, 0x29, 0x62, 1}, {19, 0x2B, 0, 0},    {18, 0x2D, 0, 0}, {16, 0x21, 0, 1},
                                {14, 0x25, 0, 0},    {30, 0x24, 0x61, 0}, {31, 0x2C, 0, 0}};
        for (const Event& e : events) {
            int y = rowY + (int)((e.position - 11) * m_u / 2);
            Ledgers(x, rowY, e.position);
            SetTextColor(m_page.dc(), kNoteColour);
            if (e.accidental)
                m_page.Glyph(x - (int)(1.125 * m_u + (e.accidental == 0x62 ? 0.375 * m_u : 0)), y, e.accidental);
            m_page.Glyph(x, y, e.glyph);
            for (int d = 0; d < e.dots; ++d)
                m_page.Glyph(x + (int)((1.5 + 0.5 * d) * m_u), y - 2, 0xA1);
            SetTextColor(m_page.dc(), 0);
            x += (int)(3.5 * m_u);
        }
        Bar(x - (int)m_u, rowY);
        // Rests: the whole rest hangs from the fourth line, the others stand on the middle line.
        SetTextColor(m_page.dc(), kNoteColour);
        m_page.Glyph(x, rowY + (int)(5 * m_u), 0x3D);
        x += (int)(3 * m_u);
        for (unsigned char rest = 0x3D; rest <= 0x42; ++rest) {
            m_page.Glyph(x, rowY + (int)(5.5 * m_u), rest);
            x += (int)(2.5 * m_u);
        }
        // Grace notes in their small font, then a note they lead to.
        int s = (int)(m_u * 0.65);
        m_page.SelectFont((int)(m_u * 0.63 * 10.0), s * 18 / 8);
        int a = (int)(m_u * 0.28 * 11.0);
        for (unsigned char g : {(unsigned char)'q', (unsigned char)'w', (unsigned char)'x', (unsigned char)0xCF}) {
            m_page.Glyph(x, (int)(rowY + 11 * m_u + (m_u / 2) * 20 - 11.0 * m_u - a), g);
            x += (int)(1.6 * m_u);
        }
        NoteFont();
        m_page.Glyph(x, rowY + (int)((19 - 11) * m_u / 2), 0x25);
        SetTextColor(m_page.dc(), 0);
    }

    // A piano staff (staves 10 units apart) with its brace, G and F clefs and flats.
    void PianoStaff()
    {
        int rowY = m_top;
        double S = 10 * m_u;
        int x0 = 40;
        Staff(rowY);
        Staff(rowY + (int)S);
        MoveToEx(m_page.dc(), x0 - 5, rowY + (int)(9 * m_u), nullptr);
        LineTo(m_page.dc(), x0 - 5, (int)(rowY + S + 13 * m_u));
        m_page.SelectFont((int)(1.12 * S), 16);
        m_page.Glyph(x0 - 22, (int)(rowY + 7.7 * m_u), 'c');
        m_page.Glyph(x0 - 22, (int)(rowY + 13.8 * m_u), 'd');
        NoteFont();
        m_page.Glyph(x0, rowY + (int)(7.5 * m_u), 'e');
        m_page.Glyph(x0, (int)(rowY + S) + (int)(7.5 * m_u), 'g');
        m_page.Glyph(x0 + (int)(8 * m_u), rowY + (int)(7.5 * m_u), 'f');
        for (int staff = 0; staff < 2; ++staff) {
            int y = (int)(rowY + staff * S);
            const int flats[2][4] = {{4, 1, 5, 2}, {6, 3, 7, 4}};  // the key table's rows for clefs 0 and 3
            for (int i = 0; i < 4; ++i)
                m_page.Glyph(x0 + (int)(3.2 * m_u) + (int)(0.75 * m_u) * i, y + (int)((7 + flats[staff][i]) * m_u / 2),
                             0x61);
        }
    }

private:
    void NoteFont() { m_page.SelectFont((int)(11 * m_u), (int)(18 * m_u / 8)); }
    void Staff(int rowY)
    {
        for (int i = 0; i < 5; ++i) {
            MoveToEx(m_page.dc(), 5, rowY + (int)((9 + i) * m_u), nullptr);
            LineTo(m_page.dc(), kWidth - 5, rowY + (int)((9 + i) * m_u));
        }
    }
    void Bar(int x, int rowY)
    {
        MoveToEx(m_page.dc(), x, rowY + (int)(9 * m_u), nullptr);
        LineTo(m_page.dc(), x, rowY + (int)(13 * m_u));
    }
    void Ledgers(int x, int rowY, int position)
    {
        for (int k = 3; k <= std::abs(position - 22) / 2; ++k) {
            int y = (int)(rowY + 11 * m_u + (position > 22 ? 1 : -1) * k * m_u);
            MoveToEx(m_page.dc(), (int)(x - 0.25 * m_u), y, nullptr);
            LineTo(m_page.dc(), (int)(x + 1.375 * m_u), y);
        }
    }
    void Label(int x, int y, unsigned char code)
    {
        HFONT font = CreateFontA(-9, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans");
        HGDIOBJ old = SelectObject(m_page.dc(), font);
        char text[8];
        int n = std::snprintf(text, sizeof text, "%02X", code);
        TextOutA(m_page.dc(), x, y, text, n);
        SelectObject(m_page.dc(), old);
        DeleteObject(font);
    }

    MusicFontPage& m_page;
    double m_u;
    int m_top;
};

TEST(MusicFontSpecimen, PaintsEveryCodeAtZoomOneAndTwo)
{
    MusicFontPage page(kWidth, 1650);
    ASSERT_TRUE(page.Registered());
    Specimen(page, 1, 0).AllCodes();
    Specimen(page, 1, 150).Excerpt();
    Specimen(page, 1, 260).PianoStaff();
    Specimen(page, 2, 450).AllCodes();
    Specimen(page, 2, 930).Excerpt();
    Specimen(page, 2, 1170).PianoStaff();
    EXPECT_TRUE(page.WriteBmp(std::string(KESTRIN_RENDER_REVIEW_DIR) + "/music_font_specimen.bmp"));
}

}  // namespace
