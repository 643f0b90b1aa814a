// Rounding, path pieces, tone tables, text and point helpers.
#include <gtest/gtest.h>

#include "services/file_exists.h"
#include "services/numbered_text.h"
#include "services/path_parts.h"
#include "services/point_helpers.h"
#include "services/rounding.h"
#include "services/text_helpers.h"
#include "services/tone_tables.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(Helpers, RoundHalfAway)
{
    struct Case {
        double value;
        int expected;
    } cases[] = {{0.5, 1},   {-0.5, -1},  {1.49, 1},     {-1.5, -2}, {0, 0},   {2.5, 3},
                 {-2.5, -3}, {2.4999, 2}, {-2.4999, -2}, {-0.49, 0}, {7.0, 7}, {-7.0, -7}};
    for (const Case& c : cases)
        EXPECT_EQ(RoundHalfAway(c.value), c.expected) << c.value;
}

TEST(Helpers, PathPieces)
{
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* title;
        const char* ext;
    } cases[] = {
        {"C:\\x\\y.txt", "C:", "\\x\\", "y", ".txt"},
        {"a.b.mid", "", "", "a.b", ".mid"},
        {"\\home\\me\\song", "", "\\home\\me\\", "song", ""},
        {"C:\\A\\B\\", "C:", "\\A\\B\\", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(GetPathDrive(c.path), c.drive) << c.path;
        EXPECT_STREQ(GetPathDir(c.path), c.dir) << c.path;
        EXPECT_STREQ(GetPathTitle(c.path), c.title) << c.path;
        EXPECT_STREQ(GetPathExt(c.path), c.ext) << c.path;
        EXPECT_EQ(GetPathFolder(c.path), CString(c.drive) + c.dir) << c.path;
        EXPECT_EQ(GetPathFileName(c.path), CString(c.title) + c.ext) << c.path;
    }
}

TEST(Helpers, BrightnessAndHighlightTables)
{
    BYTE table[256];
    BuildBrightnessTable(0, 99, 99, 255, 255, table);
    for (int i = 0; i < 256; i++)
        ASSERT_EQ(table[i], i);
    BuildBrightnessTable(-20, 0, 0, 20, 255, table);  // inHigh equals the overridden inLow
    for (int i = 0; i < 256; i++)
        ASSERT_EQ(table[i], 0);
    BuildBrightnessTable(50, 0, 0, 255, 255, table);
    EXPECT_EQ(table[0], 50);
    EXPECT_EQ(table[255], 255);
    EXPECT_EQ(table[100], 50 + 205 * 100 / 255);
    BuildBrightnessTable(-50.7f, 0, 0, 255, 255, table);  // ramp from (50, 0), clamped below
    EXPECT_EQ(table[10], 0);
    EXPECT_EQ(table[100], 255 * 50 / 205);
    BuildHighlightTable(55, 0, 0, 0, 0, table);  // ramp up to (200, 255), clamped above
    EXPECT_EQ(table[100], 127);
    EXPECT_EQ(table[230], 255);
    BYTE gamma[256];
    BuildGammaTable(0, gamma);
    EXPECT_EQ(gamma[0], 0);
    EXPECT_EQ(gamma[255], 255);
}

TEST(Helpers, TextHelpers)
{
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_TRUE(IsBlankText("   "));
    EXPECT_FALSE(IsBlankText(" a "));
    EXPECT_EQ(TextLength(nullptr), 0);
    EXPECT_EQ(TextLength("abc"), 3);
    EXPECT_TRUE(LacksExtension("C:\\dir.d\\name"));
    EXPECT_FALSE(LacksExtension("song.mid"));
    EXPECT_FALSE(LacksExtension(".a"));
    EXPECT_TRUE(IsSupportedImageExtension("C:\\back.JPG"));
    EXPECT_TRUE(IsSupportedImageExtension("x.jbi"));
    EXPECT_FALSE(IsSupportedImageExtension("x.jpeg"));
    EXPECT_FALSE(IsSupportedImageExtension("bm"));
    CString folder = "C:\\a";
    AppendBackslash(folder);
    AppendBackslash(folder);
    EXPECT_STREQ(folder, "C:\\a\\");
    EXPECT_EQ(CountChar("a,b,,c", ','), 3);

    CString pieces[3];
    SplitText("a,b,c,d", ',', pieces, 3);
    EXPECT_STREQ(pieces[0], "a");
    EXPECT_STREQ(pieces[1], "b");
    EXPECT_STREQ(pieces[2], "c,d");
    SplitText("only", ',', pieces, 3);
    EXPECT_STREQ(pieces[0], "only");
    EXPECT_STREQ(pieces[1], "");
    EXPECT_STREQ(pieces[2], "");
}

TEST(Helpers, TextLinesAndNumberedTexts)
{
    const std::string text = "1 Open\r\n2 Save\r\n\r\n4 Hidden\r\n5 Last";
    const int length = static_cast<int>(text.size());
    EXPECT_STREQ(GetTextLine(1, text.data(), length), "1 Open");
    EXPECT_STREQ(GetTextLine(3, text.data(), length), "");
    EXPECT_STREQ(GetTextLine(5, text.data(), length), "");  // no CR LF after the last line

    std::string longLine(2000, 'z');
    longLine += "\r\n";
    EXPECT_EQ(GetTextLine(1, longLine.data(), static_cast<int>(longLine.size())).GetLength(), 1023);

    TempFolder folder;
    folder.Write("English.txt", text);
    std::string path = folder.Win("English.txt");
    EXPECT_STREQ(GetNumberedTextFromFile(path.c_str(), 2), "Save");
    EXPECT_STREQ(GetNumberedTextFromFile(path.c_str(), 4), "");  // the empty line ends the search
    EXPECT_STREQ(GetNumberedTextFromFile(path.c_str(), 5), "");
    EXPECT_STREQ(GetNumberedTextFromFile((folder.Win("none.txt")).c_str(), 1), "");
}

TEST(Helpers, ExistenceFollowsAFileSearch)
{
    TempFolder folder;
    folder.Write("sub/song.mid", "x");
    EXPECT_TRUE(FileExists((folder.Win("sub\\song.mid")).c_str()));
    EXPECT_TRUE(FileExists((folder.Win("sub")).c_str()));
    EXPECT_TRUE(PathExists((folder.Win("sub\\*.mid")).c_str()));
    EXPECT_FALSE(FileExists((folder.Win("sub\\*.wav")).c_str()));
    EXPECT_FALSE(PathExists((folder.Win("none")).c_str()));
}

TEST(Helpers, PointsAndBands)
{
    EXPECT_TRUE(PointsNear(0, 0, 5, -5));
    EXPECT_FALSE(PointsNear(0, 0, 6, 0));
    EXPECT_TRUE(PointsWithin(0, 0, 3, 3, 3));
    EXPECT_EQ(InflateRectToPoint(CRect(0, 0, 10, 10), CPoint(20, 5)), CRect(0, 0, 25, 10));
    POINT a = {5, 5}, b = {1, 9};
    GrowBoxToPoint(a, b, 3, 12);
    EXPECT_EQ(a.x, 1);
    EXPECT_EQ(a.y, 5);
    EXPECT_EQ(b.x, 3);
    EXPECT_EQ(b.y, 12);

    int x = 10, y = 0;
    RotatePointInt(3.14159265358979 / 2, x, y, 0, 0);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 10);
    EXPECT_EQ(RotatedBoundingSize(10, 4, 90), CSize(4, 10));

    POINT band[4] = {};
    EXPECT_FALSE(GetLineBand(band, 2, 3, 3, 3, 3));
    ASSERT_TRUE(GetLineBand(band, 2, 0, 0, 10, 0));
    EXPECT_EQ(band[0].x, 0);
    EXPECT_EQ(band[0].y, -1);  // (2, 0) turned by -1.5708 about the origin, truncated
    EXPECT_EQ(band[1].y, 1);
    EXPECT_EQ(band[2].x, 10);
    EXPECT_EQ(band[3].x, 10);
}

}  // namespace
