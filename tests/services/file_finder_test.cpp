// Folder scans in sort-key order, the resumable checksums, and deleting a folder tree.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "services/file_finder.h"
#include "tests/support/temp_folder.h"

namespace {

std::vector<std::string> Names(const CFileFinder& finder, const std::string& base)
{
    std::vector<std::string> names;
    for (int i = 0; i < finder.GetSize(); i++)
        names.push_back(std::string(finder[i].m_strPath).substr(base.size()));
    return names;
}

void SetAge(const TempFolder& folder, const std::string& name, int secondsAgo)
{
    std::filesystem::last_write_time(std::filesystem::path(folder.Linux()) / name,
                                     std::filesystem::file_time_type::clock::now() - std::chrono::seconds(secondsAgo));
}

TEST(FileFinder, SortKeysPlaceEachNewRecord)
{
    TempFolder folder;
    folder.Write("b.txt", "bbbb");
    folder.Write("a.txt", "a");
    folder.Write("c.txt", "cc");
    SetAge(folder, "a.txt", 100);
    SetAge(folder, "b.txt", 300);
    SetAge(folder, "c.txt", 200);
    const std::string base = folder.Win();

    using List = std::vector<std::string>;
    struct Case {
        int key;
        List expected;
    } cases[] = {
        {FILE_SORT_PATH_ASCENDING, {"a.txt", "b.txt", "c.txt"}},
        {FILE_SORT_PATH_DESCENDING, {"c.txt", "b.txt", "a.txt"}},
        {FILE_SORT_SIZE_ASCENDING, {"a.txt", "c.txt", "b.txt"}},
        {FILE_SORT_SIZE_DESCENDING, {"b.txt", "c.txt", "a.txt"}},
        {FILE_SORT_TIME_ASCENDING, {"b.txt", "c.txt", "a.txt"}},
        {FILE_SORT_TIME_DESCENDING, {"a.txt", "c.txt", "b.txt"}},
    };
    for (const Case& c : cases) {
        CFileFinder finder;
        // Added in the order b, a, c, as a scan might meet them.
        for (const char* name : {"b.txt", "a.txt", "c.txt"})
            finder.AddFile((base + name).c_str(), c.key);
        EXPECT_EQ(Names(finder, base), c.expected) << c.key;
    }
}

TEST(FileFinder, EqualKeysPutTheNewRecordFirst)
{
    TempFolder folder;
    folder.Write("first.txt", "same");
    folder.Write("second.txt", "same");
    CFileFinder finder;
    finder.AddFile((folder.Win("first.txt")).c_str(), FILE_SORT_SIZE_ASCENDING);
    finder.AddFile((folder.Win("second.txt")).c_str(), FILE_SORT_SIZE_ASCENDING);
    EXPECT_EQ(Names(finder, folder.Win()), (std::vector<std::string>{"second.txt", "first.txt"}));
    // Unknown keys append.
    EXPECT_EQ(finder.InsertBySortKey(finder[0], 7), 2);
}

TEST(FileFinder, ScansFoldersFirstAndHonoursThePattern)
{
    TempFolder folder;
    folder.Write("top.txt", "1");
    folder.Write("top.wav", "1");
    folder.Write("sub/inner.txt", "1");
    folder.Write("sub/deeper/deep.txt", "1");
    const std::string base = folder.Win();
    LONG counter = 0;

    CFileFinder flat;
    EXPECT_EQ(flat.FindFiles(base.c_str(), "*.txt", FALSE, 0, FALSE, nullptr, &counter), 1);
    EXPECT_EQ(Names(flat, base), std::vector<std::string>{"top.txt"});
    EXPECT_EQ(counter, 1);

    CFileFinder deep;
    EXPECT_EQ(deep.FindFiles(base.c_str(), "*.txt", TRUE, 0, TRUE, nullptr, nullptr), 5);
    EXPECT_EQ(Names(deep, base),
              (std::vector<std::string>{"sub", "sub\\deeper", "sub\\deeper\\deep.txt", "sub\\inner.txt", "top.txt"}));

    CFileFinder folders;
    EXPECT_EQ(folders.FindFolders(base.c_str(), "*", FALSE, 0, TRUE, nullptr, nullptr), 1);
    EXPECT_TRUE(deep.IsSameAs(deep));
    EXPECT_FALSE(deep.IsSameAs(flat));
}

TEST(FileFinder, CancelledScanAddsNoFiles)
{
    TempFolder folder;
    folder.Write("a/x.txt", "1");
    folder.Write("b/y.txt", "1");
    folder.Write("z.txt", "1");
    volatile LONG cancel = 1;
    CFileFinder finder;
    EXPECT_EQ(finder.FindFiles(folder.Win().c_str(), "*", TRUE, 0, TRUE, &cancel, nullptr), 0);
}

TEST(FileRecord, ChecksumsAgainstKnownValues)
{
    TempFolder folder;
    folder.Write("check.txt", "123456789");
    folder.Write("five.bin", std::string("\x01\x02\x03\x04\x05", 5));
    folder.Write("empty.bin", "");

    CFileRecord record;
    EXPECT_EQ(record.m_dwCrc32, 0xFFFFFFFFu);
    record.SetFromPath((folder.Win("check.txt")).c_str(), 0);
    EXPECT_EQ(record.GetFileSize(), 9u);
    EXPECT_EQ(~record.AddCrc32(0, TRUE, nullptr, nullptr), 0xCBF43926u);

    // A limit of 4 takes the first four bytes; the next call continues to the end.
    CFileRecord split;
    split.SetFromPath((folder.Win("check.txt")).c_str(), 0);
    split.AddCrc32(4, TRUE, nullptr, nullptr);
    EXPECT_EQ(split.m_dwCrcPosition, 4u);
    EXPECT_EQ(~split.AddCrc32(0, FALSE, nullptr, nullptr), 0xCBF43926u);

    CFileRecord five;
    five.SetFromPath((folder.Win("five.bin")).c_str(), 0);
    LONG progress = 0;
    EXPECT_EQ(five.AddChecksum(0, TRUE, nullptr, &progress), 0x04030201u + 5u);
    EXPECT_EQ(progress, 5);

    CFileRecord empty;
    empty.SetFromPath((folder.Win("empty.bin")).c_str(), 0);
    EXPECT_EQ(empty.AddChecksum(0, TRUE, nullptr, nullptr), 0u);

    volatile LONG cancel = 1;
    CFileRecord cancelled;
    cancelled.SetFromPath((folder.Win("five.bin")).c_str(), 0);
    EXPECT_EQ(cancelled.AddChecksum(0, TRUE, &cancel, nullptr), 0u);
    EXPECT_EQ(cancelled.m_dwChecksumPosition, 0u);
}

TEST(FolderTree, DeletesEverythingButNeverFollowsLinks)
{
    TempFolder outside;
    outside.Write("precious/keep.txt", "keep");
    TempFolder folder;
    folder.Write("tree/a.txt", "1");
    folder.Write("tree/sub/b.txt", "1");
    folder.Write("tree/sub/deeper/c.txt", "1");
    std::filesystem::create_directory_symlink(outside.Linux("precious"), folder.Linux("tree/sub/link"));
    std::filesystem::create_symlink(outside.Linux("precious/keep.txt"), folder.Linux("tree/filelink"));
    std::filesystem::create_directory_symlink(outside.Linux("precious"), folder.Linux("toplink"));

    DeleteFolderTree((folder.Win("tree")).c_str());
    EXPECT_FALSE(std::filesystem::exists(folder.Linux("tree")));
    DeleteFolderTree((folder.Win("toplink\\")).c_str());
    EXPECT_FALSE(std::filesystem::is_symlink(folder.Linux("toplink")));
    EXPECT_EQ(outside.Read("precious/keep.txt"), "keep");
}

TEST(FolderTree, NoFolderOrTheRootIsNeverDeleted)
{
    // The calls run in a child whose file-system root is the test's folder, so a fault stays inside it.
    TempFolder folder;
    folder.Write("keep.txt", "keep");
    folder.Write("sub/keep.txt", "keep");
    pid_t child = fork();
    if (child == 0) {
        if (geteuid() != 0 && unshare(CLONE_NEWUSER) != 0)
            _exit(77);
        if (chroot(folder.Linux().c_str()) != 0 || chdir("/") != 0)
            _exit(77);
        for (const char* path : {"", "\\", "C:\\", "c:", "\\sub\\.."})
            DeleteFolderTree(path);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no way to change the root here";
    EXPECT_EQ(folder.Read("keep.txt"), "keep");
    EXPECT_EQ(folder.Read("sub/keep.txt"), "keep");
}

}  // namespace
