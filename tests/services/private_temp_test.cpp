// The programs' private temporary folders: their modes, and leftovers of ended runs removed at start while a
// running program's folder is kept.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kernel/path_map.h"
#include "services/private_temp.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_folder.h"

namespace {

mode_t Mode(const std::string& path)
{
    struct stat st {};
    lstat(path.c_str(), &st);
    return st.st_mode & 07777;
}

}  // namespace

TEST(PrivateTemp, EndedRunsAreRemovedAndRunningOnesKept)
{
    const std::string root = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/kestrin";
    std::filesystem::create_directories(root + "/run-1/big.wav.d");
    std::filesystem::create_directories(root + "/run-2");
    std::filesystem::create_directories(root + "/clipinfo");
    for (const char* lock : {"/run-1.lock", "/run-2.lock"})
        close(open((root + lock).c_str(), O_CREAT | O_WRONLY, 0600));
    // Run 2 is still running: it holds its lock.
    int running = open((root + "/run-2.lock").c_str(), O_RDONLY);
    ASSERT_EQ(flock(running, LOCK_EX), 0);
    chmod(root.c_str(), 0755);

    const std::string own = MapPathLiteral(GetPrivateTempFolder());
    EXPECT_EQ(own, root + "/run-" + std::to_string(getpid()) + "/");
    EXPECT_EQ(Mode(root), 0700u);
    EXPECT_EQ(Mode(own), 0700u);
    EXPECT_FALSE(std::filesystem::exists(root + "/run-1"));
    EXPECT_FALSE(std::filesystem::exists(root + "/run-1.lock"));
    EXPECT_TRUE(std::filesystem::exists(root + "/run-2"));
    EXPECT_TRUE(std::filesystem::exists(root + "/clipinfo"));
    close(running);

    RemovePrivateTempFolder();
    EXPECT_FALSE(std::filesystem::exists(own));
}

// Files a run writes elsewhere under a temporary name go with its folder when it ended without removing them;
// a running program's stay, and a record that names a folder removes nothing.
TEST(PrivateTemp, FilesRecordedByAnEndedRunAreRemoved)
{
    const std::string root = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/kestrin";
    TempFolder exports;
    for (const char* name : {"ended.part", "running.part", "kept/inside.mp3"})
        exports.Write(name, "partial");
    const struct {
        int run;
        std::string file;
    } records[] = {{1, "ended.part"}, {2, "running.part"}, {1, "kept"}};
    for (const auto& record : records) {
        const std::string folder = root + "/run-" + std::to_string(record.run);
        std::filesystem::create_directories(folder);
        close(open((folder + ".lock").c_str(), O_CREAT | O_WRONLY, 0600));
        std::filesystem::create_symlink(exports.Linux(record.file), folder + "/file-" + record.file);
    }
    int running = open((root + "/run-2.lock").c_str(), O_RDONLY);
    ASSERT_EQ(flock(running, LOCK_EX), 0);

    GetPrivateTempFolder();
    EXPECT_FALSE(std::filesystem::exists(exports.Linux("ended.part")));
    EXPECT_TRUE(std::filesystem::exists(exports.Linux("running.part")));
    EXPECT_TRUE(std::filesystem::exists(exports.Linux("kept/inside.mp3")));
    close(running);

    // This run's own: forgotten once renamed, removed with its folder when still there at the end.
    exports.Write("renamed.part", "whole");
    exports.Write("left.part", "partial");
    RecordRunFile(exports.Win("renamed.part").c_str());
    RecordRunFile(exports.Win("left.part").c_str());
    ForgetRunFile(exports.Win("renamed.part").c_str());
    RemovePrivateTempFolder();
    EXPECT_TRUE(std::filesystem::exists(exports.Linux("renamed.part")));
    EXPECT_FALSE(std::filesystem::exists(exports.Linux("left.part")));
}

// Without a runtime folder the private folder is under ~/.cache; a link or a folder of someone else in its
// place is never used.
TEST(PrivateTemp, CacheFolderAndNoFolderThatIsALink)
{
    TempFolder elsewhere;
    EnvGuard env;
    env.Set("XDG_RUNTIME_DIR", nullptr);
    const std::string cache = std::string(std::getenv("HOME")) + "/.cache";
    std::filesystem::create_directories(cache);
    std::filesystem::create_directory_symlink(elsewhere.Linux(), cache + "/kestrin");
    EXPECT_EQ(GetClipInfoFolder(), CString());
    EXPECT_EQ(GetPrivateTempFolder(), CString());
    std::filesystem::remove(cache + "/kestrin");
    EXPECT_EQ(MapPathLiteral(GetClipInfoFolder()), cache + "/kestrin/clipinfo/");
    EXPECT_EQ(Mode(cache + "/kestrin"), 0700u);
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.Linux()));
    RemovePrivateTempFolder();
}
