// Save and Save As: the writer chosen by type, the file name kept, and the hand-over of audio types.
#include <gtest/gtest.h>

#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "kernel/prompt_service.h"
#include "services/composer_globals.h"
#include "song/score.h"
#include "song/song_files.h"
#include "song_test_files.h"

namespace {

struct RecordingHandOver : IAudioExportHandOver {
    int calls = 0;
    int kind = 0;
    CString path;
    void OnAudioExportChosen(CScore&, int chosenKind, const CString& chosenPath) override
    {
        ++calls;
        kind = chosenKind;
        path = chosenPath;
    }
};

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override { GetRecordingPromptService().Clear(); }
    void TearDown() override { SetAudioExportHandOver(nullptr); }
    RecordingPromptService& prompts = GetRecordingPromptService();
    TempFolder folder;
    CScore song;
};

}  // namespace

TEST_F(SaveTest, KindsFromTheLastThreeLetters)
{
    EXPECT_EQ(SongFileKindOf("a.MID"), SONG_KIND_MID);
    EXPECT_EQ(SongFileKindOf("a.Mmf"), SONG_KIND_MMF);
    EXPECT_EQ(SongFileKindOf("x.sms"), SONG_KIND_SMS);
    EXPECT_EQ(SongFileKindOf("x.m4r"), SONG_KIND_M4R);
    EXPECT_EQ(SongFileKindOf("x.awb"), SONG_KIND_AWB);
    EXPECT_EQ(SongFileKindOf("x.txt"), SONG_KIND_NONE);
    EXPECT_EQ(SongFileKindOf("id"), SONG_KIND_NONE);
}

TEST_F(SaveTest, SaveAsMidiKeepsTheChosenCase)
{
    std::string path = folder.Win("Song.MID");
    prompts.QueueFileAnswer(path);
    EXPECT_EQ(song.SaveAs(), SONG_KIND_MID);
    EXPECT_EQ(song.fileName, path.c_str());
    EXPECT_TRUE(std::filesystem::exists(folder.Linux("Song.MID")));
    EXPECT_EQ(g_nLastSaveAsKind, SONG_KIND_MID);
    ASSERT_EQ(prompts.FilePrompts().size(), 1u);
    FilePromptRequest request = prompts.FilePrompts()[0];
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.defaultExtension, "mid");
    EXPECT_EQ(request.filter,
              "Tonwick(*.m4r)|*.m4r|SMAF Files (*.mmf)|*.mmf|MP3 File(*.mp3)|*.mp3|Midi Files (*.mid)|*.mid||");
    EXPECT_EQ(request.flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));

    // Save then writes the same file again by its name.
    std::filesystem::remove(folder.Linux("Song.MID"));
    EXPECT_EQ(song.Save(), SONG_KIND_MID);
    EXPECT_TRUE(std::filesystem::exists(folder.Linux("Song.MID")));
}

TEST_F(SaveTest, SaveAsAudioHandsOverWithoutRenamingTheSong)
{
    RecordingHandOver handOver;
    SetAudioExportHandOver(&handOver);
    song.fileName = "C:\\songs\\tune.sms";
    std::string path = folder.Win("Ring.m4r");
    prompts.QueueFileAnswer(path);
    EXPECT_EQ(song.SaveAs(), SONG_KIND_M4R);
    EXPECT_EQ(song.fileName, "C:\\songs\\tune.sms");
    EXPECT_EQ(g_strExportTarget, path.c_str());
    EXPECT_EQ(g_nLastSaveAsKind, SONG_KIND_M4R);
    EXPECT_EQ(handOver.calls, 1);
    EXPECT_EQ(handOver.kind, SONG_KIND_M4R);
    EXPECT_EQ(handOver.path, path.c_str());
    EXPECT_FALSE(std::filesystem::exists(folder.Linux("Ring.m4r")));
}

TEST_F(SaveTest, CancelAndTypesThatWriteNothing)
{
    prompts.QueueFileAnswer(std::nullopt);
    song.fileName = "keep.mid";
    EXPECT_EQ(song.SaveAs(), 0);
    EXPECT_EQ(song.fileName, "keep.mid");

    song.fileName = folder.Win("picture.jpg").c_str();
    EXPECT_EQ(song.Save(), SONG_KIND_JPG);
    EXPECT_FALSE(std::filesystem::exists(folder.Linux("picture.jpg")));

    song.fileName = folder.Win("tune.sms").c_str();
    EXPECT_EQ(song.Save(), SONG_KIND_SMS);
    EXPECT_TRUE(std::filesystem::exists(folder.Linux("tune.sms")));
}

TEST_F(SaveTest, UnnamedSongSaveAsks)
{
    prompts.QueueFileAnswer(folder.Win("first.sms"));
    EXPECT_EQ(song.Save(), SONG_KIND_SMS);
    EXPECT_TRUE(std::filesystem::exists(folder.Linux("first.sms")));
}

TEST_F(SaveTest, AFileNobodyMayWriteIsRefusedByEveryWriter)
{
    // Refused whoever runs the program, the superuser included.
    for (const char* name : {"ro.sms", "ro.mid", "ro.mmf"}) {
        prompts.Clear();
        WriteBytes(folder.Linux(name), {1, 2, 3});
        std::filesystem::permissions(folder.Linux(name), std::filesystem::perms::owner_read);
        EXPECT_EQ(SaveSongFile(song, folder.Win(name).c_str()), 0) << name;
        ASSERT_EQ(prompts.Messages().size(), 1u) << name;
        EXPECT_EQ(prompts.Messages().back().text, "This is a readonly file.");
        EXPECT_EQ(ReadBytes(folder.Linux(name)), (Bytes{1, 2, 3})) << name;
    }
}

TEST_F(SaveTest, SavingWritesThroughALinkAndKeepsModeOwnerAndGroup)
{
    WriteBytes(folder.Linux("real.mid"), {1, 2, 3});
    std::filesystem::permissions(folder.Linux("real.mid"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    // The superuser can give the file a group of its own; anyone else keeps theirs.
    gid_t group = geteuid() == 0 ? getgid() + 4321 : getgid();
    ASSERT_EQ(chown(folder.Linux("real.mid").c_str(), geteuid(), group), 0);
    std::filesystem::create_directory(folder.Linux("links"));
    std::filesystem::create_symlink("../real.mid", folder.Linux("links/song.mid"));

    ASSERT_EQ(SaveSongFile(song, folder.Win("links/song.mid").c_str()), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Linux("links/song.mid")));
    Bytes written = ReadBytes(folder.Linux("real.mid"));
    ASSERT_GE(written.size(), 4u);
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 4), (Bytes{'M', 'T', 'h', 'd'}));
    struct stat st;
    ASSERT_EQ(stat(folder.Linux("real.mid").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(st.st_uid, geteuid());
    EXPECT_EQ(st.st_gid, group);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Linux("links")),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left

    // A link to a file not made yet creates it where the link points.
    std::filesystem::create_symlink("new.mid", folder.Linux("ahead.mid"));
    ASSERT_EQ(SaveSongFile(song, folder.Win("ahead.mid").c_str()), 1);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.Linux("new.mid")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Linux("ahead.mid")));
}

// A save that wrote the whole song leaves nothing to ask about; a .mid of a marked part leaves the song modified,
// as the rest of it is in no file.
TEST_F(SaveTest, OnlyAFileOfTheWholeSongClearsTheModifiedFlag)
{
    const struct {
        const char* name;
        int playMode, loopStart, loopEnd;
        int modified;
    } cases[] = {
        {"whole.mid", 0, 0, 0, 0},
        {"range-all.mid", 2, 0, 1920, 0},
        {"part.mid", 2, 480, 960, 1},
        {"part.sms", 2, 480, 960, 0},
    };
    for (const auto& c : cases) {
        song.playMode = c.playMode;
        song.loopStart = c.loopStart;
        song.loopEnd = c.loopEnd;
        song.modified = 1;
        prompts.QueueFileAnswer(folder.Win(c.name));
        song.SaveAs();
        EXPECT_EQ(song.modified, c.modified) << c.name;
        song.modified = 1;
        song.Save();
        EXPECT_EQ(song.modified, c.modified) << c.name;
    }
}
