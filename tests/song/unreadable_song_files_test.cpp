// Song files that cannot be read are refused at once: a FIFO or a folder by a song's name, a file too large to hold.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kernel/prompt_service.h"
#include "song/score.h"
#include "song/song_files.h"
#include "tests/support/temp_folder.h"

namespace {

const char* const kSongNames[] = {"song.mid", "song.sms", "song.mmf"};

}  // namespace

TEST(UnreadableSongFiles, AFifoOrAFolderIsRefusedWithoutWaiting)
{
    TempFolder folder;
    for (const char* name : kSongNames) {
        for (bool fifo : {true, false}) {
            const std::string path = folder.Linux(std::string(fifo ? "fifo-" : "folder-") + name);
            ASSERT_EQ(fifo ? mkfifo(path.c_str(), 0600) : mkdir(path.c_str(), 0700), 0) << path;
            CScore song;
            const std::string win = folder.Win(std::string(fifo ? "fifo-" : "folder-") + name);
            auto opened = std::async(std::launch::async, [&] { return OpenSongFile(song, win.c_str()); });
            if (opened.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
                // Let the waiting reader go: a writer comes and leaves.
                close(open(path.c_str(), O_WRONLY | O_NONBLOCK));
                ADD_FAILURE() << path << " kept the reader waiting";
            }
            EXPECT_EQ(opened.get(), 0) << path;
        }
    }
}

// AddressSanitizer reserves more address space than any limit the test could set: the test runs without it.
// GCC says so with a macro, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define ADDRESS_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ADDRESS_SANITIZED 1
#endif
#endif

#if !defined(ADDRESS_SANITIZED)
namespace {

// The process's address space in bytes, from /proc/self/status.
rlim_t AddressSpaceInUse()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmSize:") {
            rlim_t kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
    }
    return 0;
}

// Opens the song with the address space limited to the program and a little more: 0 when it is refused.
int OpenWithRoomForTheProgramOnly(const std::string& win)
{
    rlimit limit{AddressSpaceInUse() + (512u << 20), RLIM_INFINITY};
    setrlimit(RLIMIT_AS, &limit);
    GetRecordingPromptService().Clear();
    CScore song;
    int result = OpenSongFile(song, win.c_str());
    return result == 0 && GetRecordingPromptService().Messages().size() <= 1 ? 0 : 1;
}

}  // namespace

TEST(UnreadableSongFiles, AFileTooLargeToHoldIsRefused)
{
    TempFolder folder;
    for (const char* name : {"song.sms", "song.mmf", "song.mid"}) {
        const std::string path = folder.Linux(std::string("huge-") + name);
        std::ofstream(path).close();
        ASSERT_EQ(truncate(path.c_str(), 3ll << 30), 0);
        const std::string win = folder.Win(std::string("huge-") + name);
        EXPECT_EXIT(exit(OpenWithRoomForTheProgramOnly(win)), ::testing::ExitedWithCode(0), "") << name;
    }
}
#endif
