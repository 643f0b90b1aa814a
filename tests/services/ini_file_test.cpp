// CIniFile and CSettingsIni as seen through real ini files.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "services/app_folder.h"
#include "services/ini_file.h"
#include "services/settings_ini.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_folder.h"

namespace {

const char* const kCommon =
    "[common]\r\n"
    "fidetime=\r\n"
    "fixsize=abc\r\n"
    "fidein=1\r\n"
    "Curlang=2\r\n"
    "quoted=\"  padded text  \"\r\n"
    "marker=00019000*()*^654%\r\n"
    "ratio=2.5\r\n"
    "spaced =  7  \r\n"
    "[rects]\r\n"
    "full=10,20,30,40\r\n"
    "empty=\r\n"
    "two=5,6\r\n"
    "five=1,2,3,4,5\r\n"
    "huge=2147483647,5,10,99999999999\r\n"
    "tiny=-2147483648,-5,-1,-99999999999\r\n";

TEST(IniFile, StringAndNumberReads)
{
    TempFolder folder;
    folder.Write("common.ini", kCommon);
    CIniFile ini((folder.Win("common.ini")).c_str());
    ini.SetSection("common");

    struct Case {
        const char* key;
        int defaultValue;
        int expected;
        int missing;
    } cases[] = {
        {"fidetime", 5, 5, 1},                                              // present but empty counts as missing
        {"fixsize", 5, 0, 0},                                               // not a number: 0, and found
        {"fidein", 9, 1, 0},   {"CURLANG", 0, 2, 0},                        // keys ignore case
        {"spaced", 0, 7, 0},   {"absent", 42, 42, 1}, {"marker", 3, 3, 1},  // the marker itself reads as missing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.GetInt(c.key, c.defaultValue), c.expected) << c.key;
        EXPECT_EQ(ini.IsMissing(), c.missing) << c.key;
    }
    EXPECT_STREQ(ini.GetString("quoted", "x"), "  padded text  ");
    EXPECT_DOUBLE_EQ(ini.GetDouble("ratio", 1.0), 2.5);
    EXPECT_DOUBLE_EQ(ini.GetDouble("fidetime", 1.25), 1.25);
}

TEST(IniFile, MissingFileGivesDefault)
{
    TempFolder folder;
    CIniFile ini((folder.Win("none.ini")).c_str());
    ini.SetSection("common");
    EXPECT_STREQ(ini.GetString("name", "NULL"), "NULL");
    EXPECT_EQ(ini.IsMissing(), 1);
}

TEST(IniFile, RectangleForms)
{
    TempFolder folder;
    folder.Write("common.ini", kCommon);
    CIniFile ini((folder.Win("common.ini")).c_str());
    ini.SetSection("rects");
    const RECT def = {1, 1, 2, 2};
    struct Case {
        const char* key;
        CRect expected;
        int missing;
    } cases[] = {
        {"full", CRect(10, 20, 40, 60), 0},
        {"empty", CRect(0, 0, 0, 0), 0},  // empty is not missing for rectangles
        {"two", CRect(5, 6, 5, 6), 0},
        {"five", CRect(1, 2, 4, 6), 0},
        {"huge", CRect(INT_MAX, 5, INT_MAX, INT_MAX), 0},  // held at the ends of the int range
        {"tiny", CRect(INT_MIN, -5, INT_MIN, INT_MIN), 0},
        {"absent", CRect(def), 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.GetRect(c.key, def), c.expected) << c.key;
        EXPECT_EQ(ini.IsMissing(), c.missing) << c.key;
    }
}

TEST(IniFile, WritesReadBack)
{
    TempFolder folder;
    CIniFile ini((folder.Win("new.ini")).c_str());
    ini.SetSection("main");
    ini.WriteRect("box", CRect(-3, 4, 17, 30));
    ini.WriteInt("count", -12);
    ini.WriteDouble("ratio", 0.125);
    ini.WriteString("name", "Grüße");
    ini.WriteIndexedInt("paperx", 3, 210);

    EXPECT_EQ(ini.GetRect("box", CRect()), CRect(-3, 4, 17, 30));
    EXPECT_EQ(ini.GetInt("count", 0), -12);
    EXPECT_STREQ(ini.GetString("ratio", ""), "0.125000");
    EXPECT_STREQ(ini.GetString("name", ""), "Grüße");
    EXPECT_EQ(ini.GetIndexedInt("paperx", 3, 0), 210);
    EXPECT_EQ(ini.GetInt("paperx3", 0), 210);
    EXPECT_NE(folder.Read("new.ini").find("box=-3,4,20,26\r\n"), std::string::npos);
}

TEST(IniFile, LongValueIsCutOnACharacterBoundary)
{
    TempFolder folder;
    // 997 ASCII bytes and then a two-byte character: the cut at 998 bytes would split it.
    std::string value(997, 'a');
    value += "é and more";
    folder.Write("long.ini", "[s]\r\nk=" + value + "\r\n");
    CIniFile ini((folder.Win("long.ini")).c_str());
    ini.SetSection("s");
    CString read = ini.GetString("k", "");
    EXPECT_EQ(read.GetLength(), 997);
    EXPECT_EQ(read, CString(std::string(997, 'a')));
}

TEST(SettingsIni, ProgramFolderFileAndWholePath)
{
    TempFolder folder;
    folder.Write("common.ini", "[main]\r\nbackground=3\r\n");
    folder.Write("other/mmftemp.ini", "[cnti]\r\nVN=other\r\n");
    SetAppFolder((folder.Win("prog.exe")).c_str());

    CSettingsIni settings;
    EXPECT_EQ(settings.GetInt("main", "background"), 3);
    EXPECT_EQ(settings.GetInt("main", "missing"), 0);
    EXPECT_STREQ(settings.GetString("main", "missing"), "");
    settings.WriteString("common", "desdir", "C:\\out\\");
    settings.WriteInt("common", "skin", 2);
    EXPECT_STREQ(settings.GetString("common", "desdir"), "C:\\out\\");
    EXPECT_EQ(GetIniInt((folder.Win("common.ini")).c_str(), "common", "skin"), 2);

    settings.SetPath((folder.Win("other\\mmftemp.ini")).c_str());
    EXPECT_STREQ(settings.GetString("cnti", "VN"), "other");
    EXPECT_EQ(settings.GetInt("main", "background"), 0);
}

// The settings the programs write go to the user's copy in $XDG_CONFIG_HOME/kestrin, made from the program
// folder's shipped file; the program folder is only read. Every writer of settings takes that way.
TEST(UserSettings, WritesGoToTheUsersCopySeededFromTheProgramFolder)
{
    const char* const shipped = "[common]\r\nskin=1\r\ncurlang=2\r\n[main]\r\nbackground=3\r\n";
    const std::string config = std::string(std::getenv("XDG_CONFIG_HOME")) + "/kestrin/";
    using Write = std::function<bool(const CString& program)>;
    const Write writers[] = {
        [](const CString&) { return CSettingsIni().WriteInt("common", "skin", 4); },
        [](const CString& program) {
            CIniFile ini(program + "common.ini");
            ini.SetSection("common");
            return ini.WriteInt("skin", 4);
        },
        [](const CString& program) { return WriteIniInt(program + "common.ini", "common", "skin", 4); },
    };
    for (const Write& write : writers) {
        TempFolder folder;
        folder.Write("common.ini", shipped);
        SetAppFolder(folder.Win("prog.exe").c_str());
        std::filesystem::remove_all(config);
        EXPECT_EQ(CSettingsIni().GetInt("common", "skin"), 1);
        ASSERT_TRUE(write(folder.Win().c_str()));
        EXPECT_EQ(folder.Read("common.ini"), shipped);
        EXPECT_EQ(CSettingsIni().GetInt("common", "skin"), 4);
        EXPECT_EQ(CSettingsIni().GetInt("main", "background"), 3);
        CIniFile ini(folder.Win("common.ini").c_str());
        ini.SetSection("common");
        EXPECT_EQ(ini.GetInt("curlang", 0), 2);
        EXPECT_EQ(GetIniInt(folder.Win("common.ini").c_str(), "common", "skin"), 4);
        std::ifstream copy(config + "common.ini");
        const std::string text((std::istreambuf_iterator<char>(copy)), std::istreambuf_iterator<char>());
        EXPECT_EQ(text, "[common]\r\nskin=4\r\ncurlang=2\r\n[main]\r\nbackground=3\r\n");
    }
}

// A write that cannot reach the file says so, here where no settings folder can be made.
TEST(UserSettings, AFailedWriteIsReported)
{
    TempFolder folder;
    folder.Write("common.ini", "[common]\r\nskin=1\r\n");
    folder.Write("not-a-folder", "");
    SetAppFolder(folder.Win("prog.exe").c_str());
    EnvGuard env;
    env.Set("XDG_CONFIG_HOME", folder.Linux("not-a-folder").c_str());
    EXPECT_FALSE(CSettingsIni().WriteInt("common", "skin", 4));
    CIniFile ini(folder.Win("common.ini").c_str());
    ini.SetSection("common");
    EXPECT_FALSE(ini.WriteInt("skin", 4));
    EXPECT_EQ(CSettingsIni().GetInt("common", "skin"), 1);
}

}  // namespace
