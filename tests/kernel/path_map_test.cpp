// Windows-style path mapping: the case-insensitive fallback for reading, literal names for writing.
#include <gtest/gtest.h>

#include <filesystem>

#include "kernel/crt_compat.h"
#include "kernel/file_api.h"
#include "kernel/path_map.h"
#include "tests/support/temp_folder.h"

TEST(PathMap, BackslashesBecomeSlashesAndDrivesAreDropped)
{
    EXPECT_EQ(MapPath("\\tmp\\no-such-folder-x\\a.ini"), "/tmp/no-such-folder-x/a.ini");
    EXPECT_EQ(MapPath("C:\\tmp\\no-such-folder-x\\"), "/tmp/no-such-folder-x/");
    EXPECT_EQ(MapPath("rel\\x.txt"), "rel/x.txt");
    EXPECT_EQ(MapPath(""), "");
    EXPECT_EQ(ToWindowsPath("/opt/kestrin/bin/"), "\\opt\\kestrin\\bin\\");
    EXPECT_EQ(DisplayPath("\\srv\\music\\Documents\\song.mid"), "/srv/music/Documents/song.mid");
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

// Every way the program writes a file takes the name as given: a name that differs only in case from an
// existing file is a new file, and the existing one keeps its bytes.
TEST(PathMap, WritesNeverLandOnANameOfAnotherCase)
{
    TempFolder t;
    auto write = [](const std::string& path, const char* bytes) {
        FILE* f = kfopen(path.c_str(), "wb");
        ASSERT_TRUE(f) << path;
        fputs(bytes, f);
        fclose(f);
    };
    auto create = [](const std::string& path, const char*) {
        HANDLE h = CreateFile(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
        CloseHandle(h);
    };
    auto copy = [](const std::string& path, const char*) {
        ASSERT_TRUE(CopyFile((path.substr(0, path.rfind('\\') + 1) + "other.bin").c_str(), path.c_str(), TRUE)) << path;
    };
    for (auto* how : {+write, +create, +copy}) {
        t.Write("song.mid", "old");
        t.Write("other.bin", "x");
        how(t.Win("Song.mid"), "new");
        EXPECT_EQ(t.Read("song.mid"), "old");
        EXPECT_TRUE(std::filesystem::exists(t.Linux("Song.mid")));
        std::filesystem::remove(t.Linux("Song.mid"));
    }
    // Reading a name that does not exist as written still finds the file under another case.
    EXPECT_EQ(MapPath(t.Win("SONG.MID")), t.Linux("song.mid"));
    EXPECT_EQ(MapPathLiteral(t.Win("SONG.MID")), t.Linux("SONG.MID"));
    // Removing and renaming never reach the other spelling either.
    EXPECT_FALSE(DeleteFile(t.Win("SONG.MID").c_str()));
    EXPECT_FALSE(MoveFileEx(t.Win("SONG.MID").c_str(), t.Win("x.mid").c_str(), 0));
    EXPECT_EQ(t.Read("song.mid"), "old");
}

// A Linux name holding a backslash, or starting like a drive, names that very file: through the Windows form
// program code holds, a folder listing and a write, and back for display.
TEST(PathMap, LinuxNamesAreTakenLiterally)
{
    TempFolder t;
    for (const char* name : {"a\\b.mid", "C:x.mid", "c:\\y.mid", "d:"}) {
        const std::string windows = ToWindowsPath(t.Linux(name));
        EXPECT_EQ(MapPathLiteral(windows), t.Linux(name));
        EXPECT_EQ(DisplayPath(windows), t.Linux(name));
        FILE* f = kfopen(windows.c_str(), "wb");
        ASSERT_TRUE(f) << name;
        fclose(f);
        EXPECT_TRUE(std::filesystem::exists(t.Linux(name))) << name;
        EXPECT_EQ(MapPath(windows), t.Linux(name));
        WIN32_FIND_DATA found;
        HANDLE search = FindFirstFile(windows.c_str(), &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE) << name;
        EXPECT_EQ(t.Win(found.cFileName), windows);
        FindClose(search);
        std::filesystem::remove(t.Linux(name));
        // A relative name too.
        EXPECT_EQ(MapPathLiteral(ToWindowsPath(name)), name);
    }
    EXPECT_EQ(std::filesystem::directory_iterator(t.Linux()), std::filesystem::directory_iterator());
}
