// File searches, path pieces, file operations and the C runtime helpers on Windows-style paths.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "kernel/crt_compat.h"
#include "kernel/file_api.h"
#include "kernel/last_error.h"
#include "kernel/program_paths.h"
#include "kernel/splitpath.h"
#include "tests/support/temp_folder.h"

namespace {

std::vector<std::string> Find(const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFile(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(data.cFileName);
    while (FindNextFile(h, &data));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(h));
    return names;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(FindFile, Patterns)
{
    TempFolder t;
    for (const char* name : {"b.txt", "A.TXT", "c.mid", "noext", "ab1.mid", "ab22.mid"})
        t.Write(name, "12345");
    t.Write("Sub/inner.txt", "");
    struct Case {
        const char* pattern;
        Names expected;
    } cases[] = {
        {"*", {".", "..", "A.TXT", "ab1.mid", "ab22.mid", "b.txt", "c.mid", "noext", "Sub"}},
        {"*.*", {".", "..", "A.TXT", "ab1.mid", "ab22.mid", "b.txt", "c.mid", "noext", "Sub"}},
        {"*.txt", {"A.TXT", "b.txt"}},
        {"ab?.mid", {"ab1.mid"}},
        {"ab*.MID", {"ab1.mid", "ab22.mid"}},
        {"noext", {"noext"}},
        {"NOEXT", {"noext"}},
        {"sub\\*.txt", {"inner.txt"}},
        {"*.wav", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Find(t.Win(c.pattern)), c.expected) << c.pattern;
    EXPECT_EQ(FindFirstFile(t.Win("missing\\*").c_str(), nullptr), INVALID_HANDLE_VALUE);
}

TEST(FindFile, RecordHoldsAttributesSizeAndTimes)
{
    TempFolder t;
    t.Write("f.bin", std::string(70000, 'x'));
    t.Write("d/x", "");
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFile(t.Win("f.bin").c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.nFileSizeLow, 70000u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_FALSE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
    FindClose(h);
    EXPECT_TRUE(GetFileAttributes(t.Win("d").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributes(t.Win("none").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
}

TEST(SplitPath, Pieces)
{
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* fname;
        const char* ext;
    } cases[] = {
        {"C:\\A\\B\\prog.exe", "C:", "\\A\\B\\", "prog", ".exe"},
        {"\\x\\y.txt", "", "\\x\\", "y", ".txt"},
        {"a.b.mid", "", "", "a.b", ".mid"},
        {"\\dir.v2\\name", "", "\\dir.v2\\", "name", ""},
        {"/opt/kestrin/", "", "/opt/kestrin/", "", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        _splitpath(c.path, drive, dir, fname, ext);
        EXPECT_STREQ(drive, c.drive) << c.path;
        EXPECT_STREQ(dir, c.dir) << c.path;
        EXPECT_STREQ(fname, c.fname) << c.path;
        EXPECT_STREQ(ext, c.ext) << c.path;
    }
    char path[_MAX_PATH];
    _makepath(path, "C", "\\A", "prog", "exe");
    EXPECT_STREQ(path, "C:\\A\\prog.exe");
}

TEST(FileOps, CreateCopyMoveDelete)
{
    TempFolder t;
    t.Write("a.txt", "first");
    t.Write("b.txt", "second");
    EXPECT_TRUE(CreateDirectory(t.Win("out").c_str(), nullptr));
    EXPECT_FALSE(CreateDirectory(t.Win("out").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectory(t.Win("x\\y").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);

    EXPECT_TRUE(CopyFile(t.Win("a.txt").c_str(), t.Win("out\\c.txt").c_str(), TRUE));
    EXPECT_FALSE(CopyFile(t.Win("b.txt").c_str(), t.Win("out\\c.txt").c_str(), TRUE));
    EXPECT_EQ(t.Read("out/c.txt"), "first");
    EXPECT_TRUE(CopyFile(t.Win("b.txt").c_str(), t.Win("out\\c.txt").c_str(), FALSE));
    EXPECT_EQ(t.Read("out/c.txt"), "second");

    EXPECT_FALSE(MoveFile(t.Win("a.txt").c_str(), t.Win("b.txt").c_str()));  // target exists
    EXPECT_EQ(t.Read("b.txt"), "second");
    EXPECT_TRUE(MoveFileEx(t.Win("a.txt").c_str(), t.Win("b.txt").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(t.Read("b.txt"), "first");
    EXPECT_TRUE(MoveFile(t.Win("b.txt").c_str(), t.Win("out\\d.txt").c_str()));
    EXPECT_EQ(GetFileAttributes(t.Win("b.txt").c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_FALSE(RemoveDirectory(t.Win("out").c_str()));  // not empty
    EXPECT_FALSE(DeleteFile(t.Win("out").c_str()));
    EXPECT_TRUE(DeleteFile(t.Win("out\\c.txt").c_str()));
    EXPECT_TRUE(DeleteFile(t.Win("out\\d.txt").c_str()));
    EXPECT_TRUE(RemoveDirectory(t.Win("out").c_str()));
    EXPECT_FALSE(DeleteFile(t.Win("a.txt").c_str()));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
}

TEST(FileOps, HandlesReadWriteSeek)
{
    TempFolder t;
    HANDLE h = CreateFile(t.Win("h.bin").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    EXPECT_TRUE(WriteFile(h, "abcdef", 6, &n, nullptr));
    EXPECT_EQ(n, 6u);
    EXPECT_EQ(GetFileSize(h, nullptr), 6u);
    EXPECT_EQ(SetFilePointer(h, -4, nullptr, FILE_END), 2u);
    char buf[8] = {};
    EXPECT_TRUE(ReadFile(h, buf, 8, &n, nullptr));
    EXPECT_EQ(n, 4u);
    EXPECT_STREQ(buf, "cdef");
    EXPECT_TRUE(ReadFile(h, buf, 8, &n, nullptr));  // end of file: success with 0 bytes
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ(CreateFile(t.Win("none.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
}

TEST(FileOps, TempNamesAndProgramPaths)
{
    TempFolder t;
    char name[MAX_PATH];
    UINT n = GetTempFileName(t.Win().c_str(), "kestrel", 0, name);
    EXPECT_NE(n, 0u);
    EXPECT_NE(GetFileAttributes(name), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(std::string(name).find(t.Win("kes")), 0u);
    EXPECT_EQ(GetTempFileName(t.Win().c_str(), "ab", 0x1F, name), 0x1Fu);
    EXPECT_EQ(std::string(name), t.Win("ab1F.tmp"));

    char module[MAX_PATH];
    DWORD len = GetModuleFileName(nullptr, module, MAX_PATH);
    ASSERT_GT(len, 0u);
    EXPECT_EQ(module[0], '\\');
    EXPECT_EQ(std::string(module).find('/'), std::string::npos);
    EXPECT_EQ(GetProgramFolder(), std::string(module).substr(0, std::string(module).rfind('\\') + 1));
    EXPECT_NE(GetFileAttributes(module), INVALID_FILE_ATTRIBUTES);
    char small[4];
    EXPECT_EQ(GetModuleFileName(nullptr, small, 4), 4u);
    EXPECT_EQ(strlen(small), 3u);
}

TEST(Crt, FindFirstAccessAndText)
{
    TempFolder t;
    t.Write("x.log", "1");
    _finddata_t data;
    intptr_t h = _findfirst(t.Win("*.log").c_str(), &data);
    ASSERT_NE(h, -1);
    EXPECT_STREQ(data.name, "x.log");
    EXPECT_EQ(data.size, 1u);
    EXPECT_EQ(_findnext(h, &data), -1);
    _findclose(h);
    EXPECT_EQ(_findfirst(t.Win("*.none").c_str(), &data), -1);
    EXPECT_EQ(_access(t.Win("X.LOG").c_str(), 0), 0);
    EXPECT_EQ(_access(t.Win("y.log").c_str(), 0), -1);

    char buf[40];
    EXPECT_STREQ(_itoa(-42, buf, 10), "-42");
    EXPECT_STREQ(_itoa(255, buf, 16), "ff");
    EXPECT_STREQ(_itoa(-1, buf, 16), "ffffffff");
    EXPECT_EQ(_snprintf(buf, 4, "%s", "abcdef"), -1);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(_stricmp("Skin", "SKIN"), 0);
    EXPECT_LT(_strnicmp("abc", "ABD", 3), 0);
    EXPECT_EQ(lstrlen(nullptr), 0);
}
