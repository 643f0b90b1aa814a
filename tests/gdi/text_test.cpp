// Fonts and text: logical-font sizing, width scaling, extents, alignment, DrawText layout and font resources.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "tests/support/canvas.h"

namespace {

HFONT Font(int height, int width = 0, const char* face = "Arial", int weight = FW_NORMAL)
{
    return CreateFont(height, width, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

TEXTMETRIC MetricsOf(HDC dc, HFONT font)
{
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRIC tm{};
    EXPECT_TRUE(GetTextMetrics(dc, &tm));
    SelectObject(dc, old);
    return tm;
}

TEST(Fonts, PositiveHeightIsTheCellNegativeTheCharacter)
{
    Canvas canvas(1, 1);
    for (const char* face : {"Arial", "Times New Roman", "Verdana", "MS Sans Serif", "System", "NoSuchFaceAnywhere"}) {
        for (int h : {9, 13, 20, 33}) {
            HFONT cell = Font(h, 0, face), em = Font(-h, 0, face);
            TEXTMETRIC a = MetricsOf(canvas.dc(), cell), b = MetricsOf(canvas.dc(), em);
            EXPECT_EQ(a.tmHeight, h) << face;
            EXPECT_EQ(a.tmAscent + a.tmDescent, a.tmHeight);
            EXPECT_EQ(b.tmHeight - b.tmInternalLeading, h) << face;
            EXPECT_GT(b.tmHeight, a.tmHeight) << face;
            DeleteObject(cell);
            DeleteObject(em);
        }
    }
    HFONT huge = Font(-1000000, -30);
    TEXTMETRIC big = MetricsOf(canvas.dc(), huge);
    EXPECT_EQ(big.tmHeight - big.tmInternalLeading, 2048);
    EXPECT_EQ(big.tmAveCharWidth, 30);
    DeleteObject(huge);
    HFONT deflt = Font(0);
    EXPECT_GT(MetricsOf(canvas.dc(), deflt).tmHeight, 10);
    DeleteObject(deflt);
}

TEST(Fonts, ExplicitWidthSetsTheAverageCharacterWidth)
{
    Canvas canvas(1, 1);
    HFONT narrow = Font(20, 5), wide = Font(20, 10), natural = Font(20, 0);
    EXPECT_EQ(MetricsOf(canvas.dc(), narrow).tmAveCharWidth, 5);
    EXPECT_EQ(MetricsOf(canvas.dc(), wide).tmAveCharWidth, 10);
    EXPECT_EQ(MetricsOf(canvas.dc(), wide).tmHeight, 20);
    SIZE a, b;
    SelectObject(canvas.dc(), narrow);
    GetTextExtentPoint32(canvas.dc(), "MMMMMMMMMM", 10, &a);
    SelectObject(canvas.dc(), wide);
    GetTextExtentPoint32(canvas.dc(), "MMMMMMMMMM", 10, &b);
    EXPECT_NEAR(b.cx, 2 * a.cx, 12);
    EXPECT_EQ(a.cy, 20);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(narrow);
    DeleteObject(wide);
    DeleteObject(natural);
}

// The skinned controls ask for a width of half the height: an ideograph, drawn by an East Asian face or borrowed
// from one, fills two such cells across, and an East Asian face's cell height is its em.
TEST(Fonts, IdeographsFillTwoHalfWidthCells)
{
    Canvas canvas(1, 1);
    const char* twoIdeographs = "\xE4\xB8\xAD\xE6\x96\x87";
    for (const char* face : {"Arial", "\xE5\xAE\x8B\xE4\xBD\x93"}) {
        HFONT f = Font(12, 6, face);
        SelectObject(canvas.dc(), f);
        SIZE size;
        GetTextExtentPoint32(canvas.dc(), twoIdeographs, 6, &size);
        EXPECT_EQ(size.cx, 24) << face;
        SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
        DeleteObject(f);
    }
    HFONT cell = Font(12, 0, "\xE5\xAE\x8B\xE4\xBD\x93");
    const TEXTMETRIC tm = MetricsOf(canvas.dc(), cell);
    EXPECT_EQ(tm.tmHeight, 12);
    EXPECT_EQ(tm.tmInternalLeading, 0);
    EXPECT_EQ(tm.tmAveCharWidth, 6);
    DeleteObject(cell);
}

TEST(Fonts, ExtentAddsAdvancesAndCharacterExtra)
{
    Canvas canvas(1, 1);
    HFONT f = Font(-16);
    SelectObject(canvas.dc(), f);
    SIZE ab, a, b;
    GetTextExtentPoint32(canvas.dc(), "ab", 2, &ab);
    GetTextExtentPoint32(canvas.dc(), "a", 1, &a);
    GetTextExtentPoint32(canvas.dc(), "b", 1, &b);
    EXPECT_EQ(ab.cx, a.cx + b.cx);
    INT widths[2];
    GetCharWidth32(canvas.dc(), 'a', 'b', widths);
    EXPECT_EQ(widths[0], a.cx);
    SetTextCharacterExtra(canvas.dc(), 3);
    SIZE extra;
    GetTextExtentPoint32(canvas.dc(), "ab", 2, &extra);
    EXPECT_EQ(extra.cx, ab.cx + 6);
    // Fitting counts bytes of whole characters.
    const char* mixed =
        "ab\xE9\x9F\xB3"
        "c";
    SIZE all;
    int fit = -1, extents[6] = {};
    GetTextExtentExPoint(canvas.dc(), mixed, 6, extra.cx + 1, &fit, extents, &all);
    EXPECT_EQ(fit, 2);
    EXPECT_EQ(extents[1], extra.cx);
    EXPECT_EQ(extents[2], extents[4]);
    GetTextExtentExPoint(canvas.dc(), mixed, 6, all.cx, &fit, nullptr, &all);
    EXPECT_EQ(fit, 6);
    SIZE empty;
    EXPECT_TRUE(GetTextExtentPoint32(canvas.dc(), "", 0, &empty));
    EXPECT_EQ(empty.cx, 0);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

// Characters are as wide as the font designs them, scaled to the size and rounded, whatever the hinting makes of
// their outlines: text laid out here takes the room the same font takes in the native controls.
TEST(Fonts, AdvancesAreTheDesignWidthsAtTheSize)
{
    struct Case {
        const char* face;
        char character;
        int designWidth;  // in font units of a 2048-unit em
    };
    const Case cases[] = {{"Arial", 'w', 1479},      {"Arial", 'W', 1933},  {"Arial", 'm', 1706},
                          {"Arial", 'i', 455},       {"Arial", 'a', 1139},  {"Tahoma", 'w', 1675},
                          {"Tahoma", 'm', 1995},     {"Tahoma", 'a', 1255}, {"Times New Roman", 'm', 1593},
                          {"Courier New", 'w', 1229}};
    Canvas canvas(1, 1);
    for (const Case& c : cases) {
        for (int em : {8, 11, 12, 13, 16, 24}) {
            HFONT f = Font(-em, 0, c.face);
            SelectObject(canvas.dc(), f);
            INT width = 0;
            GetCharWidth32(canvas.dc(), (UINT)(unsigned char)c.character, (UINT)(unsigned char)c.character, &width);
            EXPECT_EQ(width, (int)std::lround(c.designWidth * em / 2048.0))
                << c.face << " '" << c.character << "' " << em;
            SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
            DeleteObject(f);
        }
    }
}

TEST(Fonts, BoldIsWiderAndStockFontsExist)
{
    Canvas canvas(1, 1);
    HFONT normal = Font(-20, 0, "Arial", FW_NORMAL), bold = Font(-20, 0, "Arial", FW_BOLD);
    SIZE n, b;
    SelectObject(canvas.dc(), normal);
    GetTextExtentPoint32(canvas.dc(), "Kestrin", 7, &n);
    SelectObject(canvas.dc(), bold);
    GetTextExtentPoint32(canvas.dc(), "Kestrin", 7, &b);
    EXPECT_GT(b.cx, n.cx);
    for (int stock : {DEFAULT_GUI_FONT, SYSTEM_FONT, ANSI_VAR_FONT}) {
        SelectObject(canvas.dc(), GetStockObject(stock));
        TEXTMETRIC tm;
        EXPECT_TRUE(GetTextMetrics(canvas.dc(), &tm));
        EXPECT_GT(tm.tmHeight, 8);
    }
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(normal);
    DeleteObject(bold);
}

TEST(Text, OpaqueTextFillsItsCellAndAlignmentPlacesIt)
{
    Canvas canvas(80, 30, RGB(0, 0, 255));
    HFONT f = Font(20);
    SelectObject(canvas.dc(), f);
    SetBkColor(canvas.dc(), RGB(255, 255, 0));
    SetTextColor(canvas.dc(), RGB(0, 0, 0));
    SIZE size;
    GetTextExtentPoint32(canvas.dc(), "Hi", 2, &size);
    TextOut(canvas.dc(), 5, 4, "Hi", 2);
    int ink = canvas.Count(RGB(0, 0, 0)), paper = canvas.Count(RGB(255, 255, 0));
    EXPECT_GT(ink, 10);
    EXPECT_EQ(ink + paper, size.cx * size.cy);
    EXPECT_EQ(canvas.At(5, 4) == RGB(0, 0, 255), false);
    EXPECT_EQ(canvas.At(4, 4), RGB(0, 0, 255));
    // Right-aligned, transparent: the text ends at x.
    canvas.Clear(RGB(0, 0, 255));
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextAlign(canvas.dc(), TA_RIGHT | TA_TOP);
    TextOut(canvas.dc(), 60, 4, "Hi", 2);
    int maxX = -1, minX = 1000;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            if (canvas.At(x, y) == RGB(0, 0, 0)) {
                maxX = std::max(maxX, x);
                minX = std::min(minX, x);
            }
    EXPECT_LT(maxX, 60);
    EXPECT_GE(minX, 60 - size.cx);
    EXPECT_EQ(canvas.Count(RGB(255, 255, 0)), 0);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(Text, UpdateCurrentPositionMovesPastTheText)
{
    Canvas canvas(100, 20);
    HFONT f = Font(14);
    SelectObject(canvas.dc(), f);
    SetTextAlign(canvas.dc(), TA_UPDATECP);
    MoveToEx(canvas.dc(), 10, 2, nullptr);
    SIZE s;
    GetTextExtentPoint32(canvas.dc(), "abc", 3, &s);
    TextOut(canvas.dc(), 0, 0, "abc", 3);
    POINT p;
    GetCurrentPositionEx(canvas.dc(), &p);
    EXPECT_EQ(p.x, 10 + s.cx);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(Text, DrawTextLayout)
{
    Canvas canvas(200, 100);
    HFONT f = Font(16);
    SelectObject(canvas.dc(), f);
    SIZE word, one;
    GetTextExtentPoint32(canvas.dc(), "alpha", 5, &word);
    GetTextExtentPoint32(canvas.dc(), "alpha beta", 10, &one);
    // CALCRECT of a single line: its extent.
    RECT r{0, 0, 0, 0};
    EXPECT_EQ(DrawText(canvas.dc(), "alpha beta", -1, &r, DT_CALCRECT | DT_SINGLELINE), 16);
    EXPECT_EQ(r.right, one.cx);
    // Word breaking in a narrow rectangle makes two lines.
    RECT narrow{0, 0, word.cx + 4, 0};
    EXPECT_EQ(DrawText(canvas.dc(), "alpha beta", -1, &narrow, DT_CALCRECT | DT_WORDBREAK), 32);
    // Ideographs break without spaces.
    RECT cjk{0, 0, word.cx, 0};
    EXPECT_GT(DrawText(canvas.dc(),
                       "\xE9\x9F\xB3\xE4\xB9\x90\xE9\x9F\xB3\xE4\xB9\x90\xE9\x9F\xB3\xE4\xB9\x90"
                       "\xE9\x9F\xB3\xE4\xB9\x90\xE9\x9F\xB3\xE4\xB9\x90",
                       -1, &cjk, DT_CALCRECT | DT_WORDBREAK),
              16);
    // Line breaks count, the '&' prefix is dropped from the measure.
    RECT lines{0, 0, 0, 0};
    EXPECT_EQ(DrawText(canvas.dc(), "a\r\nb\nc", -1, &lines, DT_CALCRECT), 48);
    RECT prefixed{0, 0, 0, 0}, plain{0, 0, 0, 0};
    DrawText(canvas.dc(), "&Open", -1, &prefixed, DT_CALCRECT | DT_SINGLELINE);
    DrawText(canvas.dc(), "Open", -1, &plain, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(prefixed.right, plain.right);
    DrawText(canvas.dc(), "&Open", -1, &prefixed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(prefixed.right, plain.right);
    // Ellipsis keeps the text inside the rectangle.
    RECT box{0, 0, word.cx, 20};
    SetTextColor(canvas.dc(), RGB(0, 0, 0));
    DrawText(canvas.dc(), "alpha beta gamma", -1, &box, DT_SINGLELINE | DT_END_ELLIPSIS);
    for (int y = 0; y < 100; ++y)
        for (int x = word.cx; x < 200; ++x)
            ASSERT_NE(canvas.At(x, y), RGB(0, 0, 0)) << x << "," << y;
    // Centred vertically and horizontally: the ink sits around the middle.
    canvas.Clear(RGB(255, 255, 255));
    RECT mid{0, 0, 200, 100};
    SetBkMode(canvas.dc(), TRANSPARENT);
    DrawText(canvas.dc(), "alpha", -1, &mid, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    long sx = 0, sy = 0, n = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (canvas.At(x, y) == RGB(0, 0, 0)) {
                sx += x;
                sy += y;
                ++n;
            }
    ASSERT_GT(n, 0);
    EXPECT_NEAR(sx / n, 100, 6);
    EXPECT_NEAR(sy / n, 50, 6);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(Text, InvalidUtf8BytesStandForTheirOwnCodes)
{
    Canvas canvas(1, 1);
    HFONT f = Font(-20, 0, "DejaVu Sans");
    SelectObject(canvas.dc(), f);
    INT inverted;
    GetCharWidth32(canvas.dc(), 0xA1, 0xA1, &inverted);
    SIZE byte, utf8;
    GetTextExtentPoint32(canvas.dc(), "\xA1", 1, &byte);
    GetTextExtentPoint32(canvas.dc(), "\xC2\xA1", 2, &utf8);
    EXPECT_EQ(byte.cx, inverted);
    EXPECT_EQ(utf8.cx, inverted);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(Text, FontResourcesRegisterAndUnregister)
{
    const char* file = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    EXPECT_EQ(AddFontResource("/no/such/font.ttf"), 0);
    EXPECT_EQ(AddFontResource(file), 1);
    Canvas canvas(1, 1);
    HFONT f = Font(-20, 0, "DejaVu Serif");
    SelectObject(canvas.dc(), f);
    char face[LF_FACESIZE];
    GetTextFace(canvas.dc(), sizeof face, face);
    EXPECT_STREQ(face, "DejaVu Serif");
    TEXTMETRIC tm;
    GetTextMetrics(canvas.dc(), &tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
    EXPECT_TRUE(RemoveFontResource(file));
    EXPECT_FALSE(RemoveFontResource(file));
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

}  // namespace
