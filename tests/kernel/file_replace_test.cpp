// Whole-file replacement: names near the length limit, and a write that fails part way (a full disk).
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <sys/resource.h>

#include "kernel/file_replace.h"
#include "tests/support/temp_folder.h"

namespace {

size_t FilesIn(const std::string& folder)
{
    auto entries = std::filesystem::directory_iterator(folder);
    return static_cast<size_t>(std::distance(entries, std::filesystem::directory_iterator()));
}

// Files may grow to `limit` bytes while it lives; a write past it fails as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit reduced = m_old;
        reduced.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &reduced);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old;
    void (*m_oldHandler)(int);
};

}  // namespace

TEST(FileReplace, NamesNearTheLimitSaveAndAFailedWriteLeavesTheOldFile)
{
    for (const std::string& name : {std::string("song.sms"), std::string(250, 'n') + ".sms"}) {
        TempFolder folder;
        folder.Write(name, "old song");
        const std::string bigger(64 * 1024, 'x');
        {
            FileSizeLimit fullDisk(4096);
            EXPECT_EQ(ReplaceFileContents(folder.Linux(name), bigger.data(), bigger.size()), FILE_WRITE_FAILED)
                << name.size();
        }
        EXPECT_EQ(folder.Read(name), "old song") << name.size();
        EXPECT_EQ(FilesIn(folder.Linux()), 1u) << name.size();

        EXPECT_EQ(ReplaceFileContents(folder.Linux(name), bigger.data(), bigger.size()), FILE_WRITE_OK);
        EXPECT_EQ(folder.Read(name), bigger) << name.size();
        EXPECT_EQ(FilesIn(folder.Linux()), 1u) << name.size();
    }
}
