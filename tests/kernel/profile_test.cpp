// Private-profile functions: lookups, defaults, truncation, numbers and edits that keep the file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "kernel/profile.h"
#include "tests/support/temp_folder.h"

namespace {

const char kIni[] =
    "; settings\r\n"
    "[Common]\r\n"
    " curlang = 3 \r\n"
    "name=\"Quoted Value\"\r\n"
    "single='x'\r\n"
    "mixed=\"a'\r\n"
    "empty=\r\n"
    "spaces=   padded   \r\n"
    "neg=-12abc\r\n"
    "abc=abc\r\n"
    "digits=42px\r\n"
    "plus=+7\r\n"
    "long=0123456789\r\n"
    "inline=a ; kept\r\n"
    "\r\n"
    "[Other]\r\n"
    "curlang=9\r\n";

std::string Get(const std::string& file, const char* section, const char* key, const char* def, DWORD size,
                DWORD* count = nullptr)
{
    char buffer[256];
    memset(buffer, '#', sizeof buffer);
    DWORD n = GetPrivateProfileString(section, key, def, buffer, size, file.c_str());
    if (count)
        *count = n;
    return std::string(buffer, n);
}

}  // namespace

TEST(Profile, StringLookups)
{
    TempFolder t;
    t.Write("common.ini", kIni);
    std::string file = t.Win("common.ini");
    struct Case {
        const char* section;
        const char* key;
        const char* def;
        DWORD size;
        const char* expected;
    } cases[] = {
        {"common", "CURLANG", "d", 100, "3"},          // case-insensitive, trimmed
        {"Other", "curlang", "d", 100, "9"},           // same key, other section
        {"COMMON", "name", "d", 100, "Quoted Value"},  // quotes removed
        {"Common", "single", "d", 100, "x"},           // single quotes too
        {"Common", "mixed", "d", 100, "\"a'"},         // unmatched quotes stay
        {"Common", "empty", "d", 100, ""},             // present but empty: not the default
        {"Common", "spaces", "d", 100, "padded"},
        {"Common", "inline", "d", 100, "a ; kept"},  // no inline comments
        {"Common", "nokey", "def  ", 100, "def"},    // default loses trailing blanks
        {"NoSection", "curlang", "d", 100, "d"},
        {"Common", "nokey", nullptr, 100, ""},
        {"Common", "long", "d", 5, "0123"},  // cut to size - 1
        {"Common", "long", "d", 11, "0123456789"},
        {"Common", "long", "d", 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Get(file, c.section, c.key, c.def, c.size), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(Get(t.Win("missing.ini"), "Common", "curlang", "dflt", 100), "dflt");
}

TEST(Profile, IntegerLookups)
{
    TempFolder t;
    t.Write("common.ini", kIni);
    std::string file = t.Win("common.ini");
    struct Case {
        const char* key;
        int expected;
    } cases[] = {
        {"curlang", 3}, {"neg", -12}, {"abc", 0}, {"digits", 42}, {"plus", 7}, {"empty", 5}, {"nokey", 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ((int)GetPrivateProfileInt("Common", c.key, 5, file.c_str()), c.expected) << c.key;
    EXPECT_EQ((int)GetPrivateProfileInt("Common", "curlang", -1, t.Win("none.ini").c_str()), -1);
}

TEST(Profile, ListsOfSectionsAndKeys)
{
    TempFolder t;
    t.Write("a.ini", "[One]\nk1=1\nk2=2\n[Two]\n");  // LF line ends read too
    std::string file = t.Win("a.ini");
    DWORD n;
    EXPECT_EQ(Get(file, nullptr, nullptr, "", 100, &n), std::string("One\0Two\0", 8));
    EXPECT_EQ(n, 8u);
    EXPECT_EQ(Get(file, "one", nullptr, "", 100), std::string("k1\0k2\0", 6));
    EXPECT_EQ(Get(file, "one", nullptr, "", 5, &n), std::string("k1\0", 3));  // cut to size - 2
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(Get(file, "Two", nullptr, "", 100), "");
}

TEST(Profile, LinesStartingWithASemicolonAreComments)
{
    TempFolder t;
    t.Write("c.ini", "[One]\n;hidden=1\n  ; indented=2\nshown=;3\n;curlang=4\ncurlang=5\n");
    std::string file = t.Win("c.ini");
    struct Case {
        const char* key;
        const char* expected;
    } cases[] = {
        {";hidden", "d"},     // a comment, not a key named ";hidden"
        {"; indented", "d"},  // blanks before the ';' too
        {"shown", ";3"},      // a value may start with ';'
        {";curlang", "d"},    // the key after it is read, not the commented one
        {"curlang", "5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Get(file, "One", c.key, "d", 100), c.expected) << c.key;
    EXPECT_EQ(Get(file, "One", nullptr, "", 100), std::string("shown\0curlang\0", 14));
}

TEST(Profile, WritesKeepOtherLinesAndUseCrLf)
{
    TempFolder t;
    t.Write("w.ini", "; top comment\n[Common]\nCurLang=1\n; inner\nskin=2\n\n[Tail]\nx=1\n");
    std::string file = t.Win("w.ini");
    EXPECT_TRUE(WritePrivateProfileString("common", "curlang", "7", file.c_str()));
    EXPECT_TRUE(WritePrivateProfileString("COMMON", "fidetime", "5", file.c_str()));
    EXPECT_TRUE(WritePrivateProfileString("New", "a", " spaced ", file.c_str()));
    EXPECT_EQ(t.Read("w.ini"),
              "; top comment\r\n[Common]\r\nCurLang=7\r\n; inner\r\nskin=2\r\nfidetime=5\r\n\r\n"
              "[Tail]\r\nx=1\r\n[New]\r\na= spaced \r\n");  // no blank line before a new section
    EXPECT_EQ(Get(file, "new", "A", "", 100), "spaced");

    EXPECT_TRUE(WritePrivateProfileString("Common", "skin", nullptr, file.c_str()));
    EXPECT_TRUE(WritePrivateProfileString("Tail", nullptr, nullptr, file.c_str()));
    EXPECT_EQ(t.Read("w.ini"),
              "; top comment\r\n[Common]\r\nCurLang=7\r\n; inner\r\nfidetime=5\r\n\r\n[New]\r\na= spaced \r\n");
}

TEST(Profile, WriteCreatesTheFileButNotItsFolder)
{
    TempFolder t;
    EXPECT_TRUE(WritePrivateProfileString("TonwickSuite", "SuiteLaunched", "0", t.Win("new.ini").c_str()));
    EXPECT_EQ(t.Read("new.ini"), "[TonwickSuite]\r\nSuiteLaunched=0\r\n");
    EXPECT_FALSE(WritePrivateProfileString("a", "b", "c", t.Win("nofolder\\x.ini").c_str()));
    EXPECT_TRUE(WritePrivateProfileString("a", "b", nullptr, t.Win("gone.ini").c_str()));
    EXPECT_FALSE(std::filesystem::exists(t.Linux("gone.ini")));
}

TEST(Profile, LineBreaksCannotPlantLines)
{
    TempFolder t;
    std::string file = t.Win("c.ini");
    EXPECT_TRUE(WritePrivateProfileString("cnti", "ST", "Title\r\n[evil]\r\nk=v", file.c_str()));
    EXPECT_EQ(t.Read("c.ini"), "[cnti]\r\nST=Title\r\n");
}

TEST(Profile, Utf8TextAndMarkSurvive)
{
    TempFolder t;
    t.Write("u.ini", "\xEF\xBB\xBF[lanstring]\r\nx1=\xE6\x89\x93\xE5\xBC\x80\r\n");
    std::string file = t.Win("u.ini");
    EXPECT_EQ(Get(file, "lanstring", "x1", "", 100), "\xE6\x89\x93\xE5\xBC\x80");
    EXPECT_TRUE(WritePrivateProfileString("lanstring", "x2", "\xC3\xA9", file.c_str()));
    EXPECT_EQ(t.Read("u.ini"), "\xEF\xBB\xBF[lanstring]\r\nx1=\xE6\x89\x93\xE5\xBC\x80\r\nx2=\xC3\xA9\r\n");
}

TEST(Profile, WritingThroughALinkKeepsTheLink)
{
    TempFolder t;
    t.Write("real/common.ini", "[common]\r\nskin=1\r\n");
    std::filesystem::create_directory(t.Linux("bin"));
    std::filesystem::create_symlink(t.Linux("real/common.ini"), t.Linux("bin/common.ini"));
    EXPECT_TRUE(WritePrivateProfileString("common", "skin", "2", t.Win("bin\\common.ini").c_str()));
    EXPECT_TRUE(std::filesystem::is_symlink(t.Linux("bin/common.ini")));
    EXPECT_EQ(t.Read("real/common.ini"), "[common]\r\nskin=2\r\n");
}

TEST(Profile, SectionNameListSizes)
{
    TempFolder t;
    t.Write("a.ini", "[ab]\r\n[c]\r\n");
    t.Write("none.ini", "k=v\r\n");
    struct Case {
        const char* file;
        DWORD size;
        const char* bytes;  // the buffer up to the first untouched byte
        size_t length;
        DWORD count;
    } cases[] = {
        {"a.ini", 7, "ab\0c\0\0#", 7, 5},  // room to spare
        {"a.ini", 6, "ab\0c\0\0", 6, 4},   // only just fits: counted as cut
        {"a.ini", 5, "ab\0\0\0", 5, 3},
        {"none.ini", 10, "\0#", 2, 0},  // empty: a single NUL
    };
    for (const Case& c : cases) {
        char buffer[16];
        memset(buffer, '#', sizeof buffer);
        DWORD n = GetPrivateProfileString(nullptr, nullptr, "", buffer, c.size, t.Win(c.file).c_str());
        EXPECT_EQ(n, c.count) << c.file << " " << c.size;
        EXPECT_EQ(std::string(buffer, c.length), std::string(c.bytes, c.length)) << c.file << " " << c.size;
    }
}

TEST(Profile, LineEndsEncodingsAndBracketsInNames)
{
    TempFolder t;
    auto utf16 = [](const std::string& ascii, bool bigEndian) {
        std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char c : ascii) {
            out += bigEndian ? '\0' : c;
            out += bigEndian ? c : '\0';
        }
        return out;
    };
    t.Write("cr.ini", "[a]\rk=cr\r[b]\rk=2\r");
    t.Write("le.ini", utf16("[a]\r\nk=le\r\n", false));
    t.Write("be.ini", utf16("[a]\r\nk=be\r\n", true));
    t.Write("br.ini", "[a]b] ; note]\r\nk=br\r\n");
    EXPECT_EQ(Get(t.Win("cr.ini"), "a", "k", "", 100), "cr");
    EXPECT_EQ(Get(t.Win("cr.ini"), "b", "k", "", 100), "2");
    EXPECT_EQ(Get(t.Win("le.ini"), "a", "k", "", 100), "le");
    EXPECT_EQ(Get(t.Win("be.ini"), "a", "k", "", 100), "be");
    EXPECT_EQ(Get(t.Win("br.ini"), "a]b] ; note", "k", "", 100), "br");  // the name runs to the last ']'

    // A UTF-16 file stays UTF-16 in its own byte order, and a non-ASCII value survives the trip.
    EXPECT_TRUE(WritePrivateProfileString("a", "x", "\xC3\xA9", t.Win("le.ini").c_str()));
    EXPECT_EQ(t.Read("le.ini"), utf16("[a]\r\nk=le\r\nx=", false) + "\xE9" + std::string("\0\r\0\n\0", 5));
    EXPECT_EQ(Get(t.Win("le.ini"), "a", "x", "", 100), "\xC3\xA9");
    EXPECT_TRUE(WritePrivateProfileString("a", "x", "1", t.Win("be.ini").c_str()));
    EXPECT_EQ(t.Read("be.ini"), utf16("[a]\r\nk=be\r\nx=1\r\n", true));
}

// A large settings file is parsed once, not at every read: 2000 reads of a 10 MB file take well under the
// 2000 parses they used to.
TEST(Profile, ReadsOfALargeFileShareOneParse)
{
    TempFolder t;
    std::string text = "[common]\r\nskin=2\r\n[filler]\r\n";
    for (int i = 0; text.size() < 10'000'000; ++i)
        text += "key" + std::to_string(i) + "=some value that fills the file\r\n";
    t.Write("common.ini", text);
    std::filesystem::last_write_time(t.Linux("common.ini"),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    const std::string file = t.Win("common.ini");
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(GetPrivateProfileInt("common", "skin", 0, file.c_str()), 2u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// The parsed file is read again whenever the file changes on disk: by another program, in place or renamed
// over, even to the same size.
TEST(Profile, ReadsFollowChangesOnDisk)
{
    TempFolder t;
    const std::string file = t.Win("a.ini");
    t.Write("a.ini", "[s]\r\nk=1\r\n");
    std::filesystem::last_write_time(t.Linux("a.ini"),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    EXPECT_EQ(GetPrivateProfileInt("s", "k", 0, file.c_str()), 1u);
    {
        std::ofstream same(t.Linux("a.ini"), std::ios::binary | std::ios::trunc);
        same << "[s]\r\nk=2\r\n";
    }
    EXPECT_EQ(GetPrivateProfileInt("s", "k", 0, file.c_str()), 2u);
    t.Write("b.ini", "[s]\r\nk=3\r\n");
    std::filesystem::rename(t.Linux("b.ini"), t.Linux("a.ini"));
    EXPECT_EQ(GetPrivateProfileInt("s", "k", 0, file.c_str()), 3u);
    ASSERT_TRUE(WritePrivateProfileString("s", "k", "4", file.c_str()));
    EXPECT_EQ(GetPrivateProfileInt("s", "k", 0, file.c_str()), 4u);
    std::filesystem::remove(t.Linux("a.ini"));
    EXPECT_EQ(GetPrivateProfileInt("s", "k", 9, file.c_str()), 9u);
}
