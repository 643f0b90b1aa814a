// Profile writes that must keep the user's settings: unreadable and read-only files, writes that change
// nothing, argument faults, and two processes writing one file at once.
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "kernel/last_error.h"
#include "kernel/profile.h"
#include "tests/support/temp_folder.h"

namespace {

// Runs the body in a child process and returns its exit status; a root child first becomes the
// unprivileged "nobody", so that file permissions hold for it.
int InChild(const std::function<int()>& body, bool unprivileged = false)
{
    pid_t pid = fork();
    if (pid == 0) {
        if (unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(99);
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

ino_t Inode(const std::string& path)
{
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_ino;
}

}  // namespace

TEST(ProfileWrite, UnreadableFileIsNeverReplaced)
{
    TempFolder t;
    t.Write("common.ini", "[common]\r\ncurlang=3\r\nskin=2\r\n");
    chmod(t.Linux().c_str(), 0777);  // the folder lets the writer make files, the file lets it read nothing
    chmod(t.Linux("common.ini").c_str(), 0200);
    std::string file = t.Win("common.ini");
    int status = InChild(
        [&] {
            if (WritePrivateProfileString("common", "skin", "5", file.c_str()))
                return 1;
            return GetLastError() == ERROR_ACCESS_DENIED ? 0 : 2;
        },
        true);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(t.Read("common.ini"), "[common]\r\ncurlang=3\r\nskin=2\r\n");
}

TEST(ProfileWrite, ReadOnlyFileIsRefused)
{
    TempFolder t;
    t.Write("common.ini", "[common]\r\nskin=2\r\n");
    chmod(t.Linux("common.ini").c_str(), 0444);
    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileString("common", "skin", "5", t.Win("common.ini").c_str()));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_EQ(t.Read("common.ini"), "[common]\r\nskin=2\r\n");
}

TEST(ProfileWrite, WritesThatChangeNothingLeaveTheFile)
{
    TempFolder t;
    t.Write("a.ini", "[a]\nk=1\n");  // LF ends would become CR LF on any rewrite
    std::string file = t.Win("a.ini");
    ino_t before = Inode(t.Linux("a.ini"));
    EXPECT_TRUE(WritePrivateProfileString("A", "K", "1", file.c_str()));
    EXPECT_TRUE(WritePrivateProfileString("a", "missing", nullptr, file.c_str()));
    EXPECT_TRUE(WritePrivateProfileString("nosection", nullptr, nullptr, file.c_str()));
    EXPECT_EQ(t.Read("a.ini"), "[a]\nk=1\n");
    EXPECT_EQ(Inode(t.Linux("a.ini")), before);

    EXPECT_TRUE(WritePrivateProfileString("gone", nullptr, nullptr, t.Win("gone.ini").c_str()));
    EXPECT_FALSE(std::filesystem::exists(t.Linux("gone.ini")));
}

TEST(ProfileWrite, NullSectionIsAnInvalidParameter)
{
    TempFolder t;
    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileString(nullptr, "k", "v", t.Win("a.ini").c_str()));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(std::filesystem::exists(t.Linux("a.ini")));
    EXPECT_TRUE(WritePrivateProfileString(nullptr, nullptr, nullptr, t.Win("a.ini").c_str()));  // a flush
}

TEST(ProfileWrite, TwoProcessesWritingOneFileKeepEveryKey)
{
    TempFolder t;
    std::string file = t.Win("common.ini");
    const int keys = 200;
    auto writer = [&](char prefix) {
        return [&, prefix] {
            for (int i = 0; i < keys; ++i) {
                std::string key = prefix + std::to_string(i);
                if (!WritePrivateProfileString("shared", key.c_str(), "1", file.c_str()))
                    return 1;
            }
            return 0;
        };
    };
    pid_t first = fork();
    if (first == 0)
        _exit(writer('a')());
    int second = InChild(writer('b'));
    int status = 0;
    waitpid(first, &status, 0);
    ASSERT_EQ(second, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    int found = 0;
    for (char prefix : {'a', 'b'})
        for (int i = 0; i < keys; ++i)
            found += GetPrivateProfileInt("shared", (prefix + std::to_string(i)).c_str(), 0, file.c_str());
    EXPECT_EQ(found, 2 * keys);
}

// A link planted in a folder others can write is never followed: the write is refused and the file the link
// names keeps its bytes. In the user's own folder a link still leads to its file.
TEST(ProfileWrite, LinksInSharedFoldersAreNeverFollowed)
{
    struct Case {
        mode_t folderMode;
        bool followed;
    } cases[] = {{01777, false}, {0777, false}, {0775, false}, {0755, true}, {0700, true}};
    for (const Case& c : cases) {
        TempFolder t;
        t.Write("victim.ini", "[a]\r\nb=1\r\n");
        std::filesystem::create_directory(t.Linux("shared"));
        chmod(t.Linux("shared").c_str(), c.folderMode);
        std::filesystem::create_symlink(t.Linux("victim.ini"), t.Linux("shared/x.ini"));
        const BOOL written = WritePrivateProfileString("a", "b", "2", t.Win("shared/x.ini").c_str());
        EXPECT_EQ(written != FALSE, c.followed) << std::oct << c.folderMode;
        EXPECT_EQ(t.Read("victim.ini"), c.followed ? "[a]\r\nb=2\r\n" : "[a]\r\nb=1\r\n") << std::oct << c.folderMode;
        EXPECT_TRUE(std::filesystem::is_symlink(t.Linux("shared/x.ini")));
    }
}
