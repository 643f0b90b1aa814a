// The music font: its face, its codes and the glyph geometry the score painters rely on, at zoom 1 and 2.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "kernel/program_paths.h"
#include "music_font_page.h"

namespace {

// Every character code the score painters draw with the music font.
const std::vector<unsigned char> kPainterCodes = {
    0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x30, 0x31, 0x3D,
    0x3E, 0x3F, 0x40, 0x41, 0x42, 'D',  'E',  'F',  'G',  'H',  'I',  'J',  'K',  'L',  'M',  0x5C,
    0x5E, 0x5F, 0x60, 0x61, 0x62, 'c',  'd',  'e',  'f',  'g',  'q',  'w',  'x',  0xA1, 0xC0, 0xCF};

TEST(MusicFont, RegistersFromTheProgramFolderUnderItsFace)
{
    MusicFontPage page(8, 8);
    ASSERT_TRUE(page.Registered());
    page.SelectFont(88, 18);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(page.dc(), sizeof face, face);
    EXPECT_STREQ(face, "8888 8888");
    TEXTMETRICA tm{};
    GetTextMetricsA(page.dc(), &tm);
    EXPECT_EQ(tm.tmHeight, 88);
    EXPECT_EQ(tm.tmAscent, 44);  // heads are centred 5.5 units below the cell top
}

// The music font's cell has its baseline in the middle; a substitute face would not.
int AscentOf(const char* face)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(88, 18, 0, 0, 480, 0, 0, 0, 1, 1, 32, 0, 0x12, face);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return tm.tmAscent;
}

TEST(MusicFont, RegistersFromTheProgramFolderWhateverTheCurrentFolderAndOnlyWhileHeld)
{
    char saved[MAX_PATH], temp[MAX_PATH];
    GetCurrentDirectory(MAX_PATH, saved);
    GetTempPath(MAX_PATH, temp);
    ASSERT_TRUE(SetCurrentDirectory(temp));
    {
        CMusicFontResource resource;
        EXPECT_TRUE(resource.Registered());
        EXPECT_EQ(AscentOf(kMusicFontFace), 44);
    }
    EXPECT_NE(AscentOf(kMusicFontFace), 44);
    SetCurrentDirectory(saved);
}

TEST(MusicFont, EveryPainterCodeDrawsAndTheSpaceIsBlank)
{
    MusicFontPage page(300, 300);
    ASSERT_TRUE(page.Registered());
    page.SelectFont(88, 18);
    for (unsigned char code : kPainterCodes) {
        page.Clear();
        page.Glyph(100, 100, code);
        EXPECT_FALSE(page.InkOf().Empty()) << "code 0x" << std::hex << (int)code;
    }
    page.Clear();
    page.Glyph(100, 100, ' ');
    EXPECT_TRUE(page.InkOf().Empty());
    EXPECT_GT(page.Advance(' '), 0);
}

TEST(MusicFont, CarriesNoReservedNameOfItsSource)
{
    std::string path = GetProgramFolder() + "kestrin.ttf";
    for (char& c : path)
        if (c == '\\')
            c = '/';
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_TRUE(f);
    std::string bytes;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        bytes.append(buf, n);
    std::fclose(f);
    for (std::string name : {"Emmentaler", "Feta"}) {
        std::string wide;  // the Windows name records are UTF-16BE
        for (char c : name)
            wide += std::string(1, '\0') + c;
        EXPECT_EQ(bytes.find(name), std::string::npos) << name;
        EXPECT_EQ(bytes.find(wide), std::string::npos) << name;
    }
}

class MusicFontAtZoom : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(page.Registered());
        unit = 8.0 * GetParam();
        page.SelectFont((int)(11 * unit), (int)(18 * unit / 8));
    }
    Ink Draw(unsigned char code)
    {
        page.Clear();
        page.Glyph(kX, kY, code);
        return page.InkOf();
    }
    double Centre() const { return kY + 5.5 * unit; }

    static constexpr int kX = 100, kY = 100;
    MusicFontPage page{400, 400};
    double unit = 8.0;
};

TEST_P(MusicFontAtZoom, HeadsFillTheirAdvanceAndSitOnTheCellsMiddle)
{
    // The small head sits 0.12 units higher, where the grace-figure painter centres its heads.
    struct Case {
        unsigned char code;
        double raise;
    };
    for (Case c : {Case{'1', 0.0}, Case{'0', 0.0}, Case{0xCF, 0.12}}) {
        unsigned char code = c.code;
        Ink ink = Draw(code);
        SCOPED_TRACE((int)code);
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, Centre() - c.raise * unit, 1.5);
        EXPECT_NEAR(ink.bottom - ink.top, unit, 2.0);
        EXPECT_NEAR(ink.left, kX, 1.0);
        EXPECT_NEAR(ink.right, kX + page.Advance(code), 1.0);
    }
}

TEST_P(MusicFontAtZoom, StemsStandAtTheHeadsEdgesAboutThreeUnitsLong)
{
    int head = page.Advance('1');
    Ink up = Draw(0x24), down = Draw(0x25);
    EXPECT_NEAR(up.top, Centre() - 3.125 * unit, 1.5);
    EXPECT_NEAR(up.right, kX + head, 1.0);
    EXPECT_NEAR(down.bottom, Centre() + 3.125 * unit, 1.5);
    EXPECT_NEAR(down.left, kX, 1.0);
    // The one-flag forms, drawn by the group painter over its own stems, end where those stems end.
    EXPECT_NEAR(Draw(0x26).top, up.top, 1.0);
    EXPECT_NEAR(Draw(0x27).bottom, down.bottom, 1.0);
}

TEST_P(MusicFontAtZoom, AccidentalsDotsAndDigitsSitWhereThePaintersPutThem)
{
    // Accidentals are centred on the head's line and end left of a head drawn one unit further right.
    for (unsigned char code : {(unsigned char)0x5F, (unsigned char)0x60, (unsigned char)0x5C}) {
        Ink ink = Draw(code);
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, Centre(), 1.5) << (int)code;
        EXPECT_LT(ink.right, kX + unit) << (int)code;
    }
    Ink dot = Draw(0xA1);
    EXPECT_NEAR((dot.top + dot.bottom) / 2.0, Centre(), 1.0);
    // Time-signature digits are two spaces high, centred on the baseline.
    Ink four = Draw('H');
    EXPECT_NEAR(four.top, Centre() - unit, 1.5);
    EXPECT_NEAR(four.bottom, Centre() + unit, 1.5);
}

INSTANTIATE_TEST_SUITE_P(Zoom, MusicFontAtZoom, ::testing::Values(1, 2));

}  // namespace
