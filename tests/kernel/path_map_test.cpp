// Windows-style path mapping, with the case-insensitive fallback for each component.
#include <gtest/gtest.h>

#include "kernel/path_map.h"
#include "tests/support/temp_folder.h"

TEST(PathMap, BackslashesBecomeSlashesAndDrivesAreDropped)
{
    EXPECT_EQ(MapPath("\\tmp\\no-such-folder-x\\a.ini"), "/tmp/no-such-folder-x/a.ini");
    EXPECT_EQ(MapPath("C:\\tmp\\no-such-folder-x\\"), "/tmp/no-such-folder-x/");
    EXPECT_EQ(MapPath("rel\\x.txt"), "rel/x.txt");
    EXPECT_EQ(MapPath(""), "");
    EXPECT_EQ(ToWindowsPath("/opt/kestrin/bin/"), "\\opt\\kestrin\\bin\\");
}

TEST(PathMap, MissingComponentsFallBackToACaseInsensitiveMatch)
{
    TempFolder t;
    t.Write("Skin-Com/Skin-1/skin.INI", "x");
    struct Case {
        const char* asked;
        const char* expected;
    } cases[] = {
        {"Skin-Com\\Skin-1\\skin.INI", "Skin-Com/Skin-1/skin.INI"},    // exact
        {"skin-com\\skin-1\\skin.ini", "Skin-Com/Skin-1/skin.INI"},    // every component folded
        {"SKIN-COM\\skin-1\\new.ini", "Skin-Com/Skin-1/new.ini"},      // new file in a folded folder
        {"skin-com\\nothere\\Skin.ini", "Skin-Com/nothere/Skin.ini"},  // missing folder: rest kept
    };
    for (const Case& c : cases)
        EXPECT_EQ(MapPath(t.Win(c.asked)), t.Linux(c.expected)) << c.asked;
}

TEST(PathMap, ExactNameWinsOverAFoldedOne)
{
    TempFolder t;
    t.Write("a.txt", "lower");
    t.Write("A.TXT", "upper");
    EXPECT_EQ(MapPath(t.Win("A.TXT")), t.Linux("A.TXT"));
    EXPECT_EQ(MapPath(t.Win("a.Txt")), t.Linux("A.TXT"));  // smallest of the folded names
}
