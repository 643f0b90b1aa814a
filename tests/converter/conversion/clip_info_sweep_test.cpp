// Clip-info files of media that are gone: the media path they record, which files go at start, and that nothing
// goes while another running program uses the folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/file.h>
#include <unistd.h>

#include "converter/clip_info_file.h"
#include "converter/clip_info_sweep.h"
#include "kernel/path_map.h"
#include "services/private_temp.h"
#include "tests/support/temp_folder.h"

namespace {

const char kSixKeys[] =
    "[mervane]\r\ntime1=0.000000\r\ntime2=100.000000\r\nfide=5\r\nfidein=0\r\nfideout=0\r\n"
    "fixsize=0\r\n";

std::string ClipInfoText(const std::string& media)
{
    return "[mervane]\ntime1=10\ntime2=50\nmediapath=" + media + "\n";
}

// The media path follows the six keys, which stay as they were; a path that would not read back as written is
// not kept, nor an earlier file's path left in its place.
TEST(ClipInfoSweep, MediaPathIsWrittenWhenItReadsBack)
{
    TempFolder dir;
    const std::string longName = std::string(1000, 'x') + ".wav";
    struct Case {
        std::string media;  // inside the folder
        bool kept;
    };
    const Case cases[] = {
        {"my song.wav", true},      {"Lied für \"Jürgen\" $(x).wav", true},
        {"line\nbreak.wav", false}, {"blank at the end.wav ", false},
        {longName, false},
    };
    for (const Case& c : cases) {
        const std::string clipInfo = dir.Win("clip.ini");
        std::filesystem::remove(dir.Linux("clip.ini"));
        // An earlier media file of the name in another folder wrote the file before.
        WriteClipInfoFile(clipInfo.c_str(), ClipInfo());
        WriteClipMediaKey(clipInfo.c_str(), "\\elsewhere\\earlier.wav");
        ASSERT_NE(dir.Read("clip.ini").find("mediapath=/elsewhere/earlier.wav"), std::string::npos);
        WriteClipMediaKey(clipInfo.c_str(), dir.Win(c.media).c_str());
        EXPECT_EQ(dir.Read("clip.ini"),
                  std::string(kSixKeys) + (c.kept ? "mediapath=" + dir.Linux(c.media) + "\r\n" : ""))
            << c.media;
    }
}

// A file goes only when the media it names, of its own name, is surely gone: its folder is there and the name
// is not. Files of older runs without the path, and everything else in the folder, are kept.
TEST(ClipInfoSweep, RemovesTheFilesOfMediaThatAreGone)
{
    TempFolder media;
    TempFolder clips;
    media.Write("here.wav", "RIFF");
    std::filesystem::create_symlink(media.Linux("nowhere.wav"), media.Linux("dangling.wav"));
    struct Case {
        std::string name;  // of the clip-info file, without the extension
        std::string text;
        bool kept;
    };
    const Case cases[] = {
        {"here.wav", ClipInfoText(media.Linux("here.wav")), true},
        {"gone.wav", ClipInfoText(media.Linux("gone.wav")), false},
        {"Here.WAV", ClipInfoText(media.Linux("Here.WAV")), false},  // another file than here.wav
        {"unmounted.wav", ClipInfoText(media.Linux("drive/unmounted.wav")), true},
        {"older.wav", "[mervane]\ntime1=10\ntime2=50\n", true},
        {"renamed.wav", ClipInfoText(media.Linux("gone.wav")), true},
        {"relative.wav", ClipInfoText("relative.wav"), true},
        {"dangling.wav", ClipInfoText(media.Linux("dangling.wav")), true},
        {"other section.wav", "[other]\nmediapath=" + media.Linux("other section.wav") + "\n", true},
    };
    for (const Case& c : cases)
        clips.Write(c.name + ".mervaneclipinfo", c.text);
    clips.Write("notes.txt", ClipInfoText(media.Linux("notes")));
    // A link in the folder is never followed, nor removed.
    TempFolder outside;
    outside.Write("gone.wav.mervaneclipinfo", ClipInfoText(media.Linux("linked.wav")));
    std::filesystem::create_symlink(outside.Linux("gone.wav.mervaneclipinfo"),
                                    clips.Linux("linked.wav.mervaneclipinfo"));

    RemoveClipInfoOfGoneMedia(clips.Win().c_str());

    for (const Case& c : cases)
        EXPECT_EQ(std::filesystem::exists(clips.Linux(c.name + ".mervaneclipinfo")), c.kept) << c.name;
    EXPECT_TRUE(std::filesystem::exists(clips.Linux("notes.txt")));
    EXPECT_TRUE(std::filesystem::is_symlink(clips.Linux("linked.wav.mervaneclipinfo")));
    EXPECT_TRUE(std::filesystem::exists(outside.Linux("gone.wav.mervaneclipinfo")));
}

// While another running program uses the clip-info folder, a starting one removes nothing there; this run then
// uses the folder itself until it leaves.
TEST(ClipInfoSweep, NothingGoesWhileAnotherProgramUsesTheFolder)
{
    const std::string root = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/kestrin";
    const std::string gone = MapPathLiteral(GetClipInfoFolder()) + "gone.wav.mervaneclipinfo";
    TempFolder media;
    std::ofstream(gone) << ClipInfoText(media.Linux("gone.wav"));

    const int other = open((root + "/clipinfo.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_SH), 0);
    RemoveStaleClipInfoFiles();
    EXPECT_TRUE(std::filesystem::exists(gone));
    LeaveClipInfoFolder();
    close(other);

    RemoveStaleClipInfoFiles();
    EXPECT_FALSE(std::filesystem::exists(gone));
    const int starting = open((root + "/clipinfo.lock").c_str(), O_RDWR | O_CLOEXEC);
    EXPECT_NE(flock(starting, LOCK_EX | LOCK_NB), 0) << "this run does not hold the folder";
    LeaveClipInfoFolder();
    EXPECT_EQ(flock(starting, LOCK_EX | LOCK_NB), 0);
    close(starting);
}

}  // namespace
