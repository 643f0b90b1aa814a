// The clip-info file: its bytes, its read rules, partial writes, its path; clip seconds and the size estimate.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

#include "converter/clip_info_durations.h"
#include "converter/clip_info_file.h"
#include "converter/clip_range.h"
#include "kernel/path_map.h"
#include "tests/support/temp_folder.h"

namespace {

ClipInfo Read(const TempFolder& dir, const std::string& text)
{
    dir.Write("clip.ini", text);
    return ReadClipInfoFile(dir.Win("clip.ini").c_str(), 7, 1, 0);
}

TEST(ClipInfoFile, WritesTheSixKeysInOrder)
{
    TempFolder dir;
    ClipInfo info;
    info.startPercent = 12.5;
    info.endPercent = 87.25;
    info.fade = 10;
    info.fadeIn = 1;
    info.fadeOut = 0;
    info.fixSize = 1;
    WriteClipInfoFile(dir.Win("clip.ini").c_str(), info);
    EXPECT_EQ(dir.Read("clip.ini"),
              "[mervane]\r\ntime1=12.500000\r\ntime2=87.250000\r\nfide=10\r\nfidein=1\r\nfideout=0\r\nfixsize=1\r\n");
}

TEST(ClipInfoFile, RangeKeysAndFadeKeyLeaveTheOthers)
{
    TempFolder dir;
    dir.Write("clip.ini",
              "[mervane]\r\ntime1=1.000000\r\ntime2=2.000000\r\nfide=3\r\nfidein=1\r\nfideout=1\r\n"
              "fixsize=0\r\n");
    WriteClipRangeKeys(dir.Win("clip.ini").c_str(), 0.0, 0.0);
    WriteClipFadeKey(dir.Win("clip.ini").c_str(), 25);
    EXPECT_EQ(dir.Read("clip.ini"),
              "[mervane]\r\ntime1=0.000000\r\ntime2=0.000000\r\nfide=25\r\nfidein=1\r\n"
              "fideout=1\r\nfixsize=0\r\n");
}

TEST(ClipInfoFile, MarksInSecondsAreWrittenAsPercent)
{
    TempFolder dir;
    EXPECT_TRUE(WriteClipMarks(dir.Win("clip.ini").c_str(), 30, 150, 200));
    EXPECT_EQ(dir.Read("clip.ini"), "[mervane]\r\ntime1=15.000000\r\ntime2=75.000000\r\n");
    EXPECT_FALSE(WriteClipMarks(dir.Win("none.ini").c_str(), 0, 5, 0));
    EXPECT_FALSE(std::filesystem::exists(dir.Linux("none.ini")));
}

TEST(ClipInfoFile, ReadsBackWhatWasWritten)
{
    TempFolder dir;
    ClipInfo info;
    info.startPercent = 33.333333;
    info.endPercent = 66.5;
    info.fade = 0;
    info.fadeIn = 0;
    info.fadeOut = 1;
    info.fixSize = 1;
    WriteClipInfoFile(dir.Win("clip.ini").c_str(), info);
    const ClipInfo back = ReadClipInfoFile(dir.Win("clip.ini").c_str(), 5, 1, 0);
    EXPECT_DOUBLE_EQ(back.startPercent, 33.333333);
    EXPECT_DOUBLE_EQ(back.endPercent, 66.5);
    EXPECT_EQ(back.fade, 0);
    EXPECT_EQ(back.fadeIn, 0);
    EXPECT_EQ(back.fadeOut, 1);
    EXPECT_EQ(back.fixSize, 1);
}

TEST(ClipInfoFile, ReadRules)
{
    struct Case {
        const char* text;
        double start, end;
        int fade, fadeIn, fadeOut;
    };
    const Case cases[] = {
        {"", 0, 100, 7, 1, 0},  // never edited: the whole file, the dialog's fade options
        {"[mervane]\ntime1=10\ntime2=150\n", 10, 100, 7, 1, 0},
        {"[mervane]\ntime1=-3\ntime2=0\nfide=20\nfidein=0\nfideout=1\n", 0, 100, 20, 0, 1},
        {"[mervane]\ntime1=5\ntime2=-1\n", 5, 100, 7, 1, 0},
        {"[mervane]\ntime1=nan\ntime2=inf\n", 0, 100, 7, 1, 0},
        {"[mervane]\ntime1=80\ntime2=40\n", 40, 40, 7, 1, 0},  // a start beyond the end makes no negative clip
        {"[other]\ntime1=10\ntime2=20\n", 0, 100, 7, 1, 0},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        const ClipInfo info = Read(dir, c.text);
        EXPECT_DOUBLE_EQ(info.startPercent, c.start) << c.text;
        EXPECT_DOUBLE_EQ(info.endPercent, c.end) << c.text;
        EXPECT_EQ(info.fade, c.fade) << c.text;
        EXPECT_EQ(info.fadeIn, c.fadeIn) << c.text;
        EXPECT_EQ(info.fadeOut, c.fadeOut) << c.text;
    }
}

// Clip-info files live in a folder only the user may enter, never in the shared temporary folder.
TEST(ClipInfoFile, PathIsTheMediaNameInAPrivateFolder)
{
    const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
    const CString a = GetClipInfoPath("C:\\music\\my song.mp3");
    EXPECT_EQ(GetClipInfoPath("D:\\other\\my song.mp3"), a);
    EXPECT_EQ(std::string(a), ToWindowsPath(runtime + "/kestrin/clipinfo/my song.mp3.mervaneclipinfo"));
    for (const std::string& folder : {runtime + "/kestrin", runtime + "/kestrin/clipinfo"}) {
        struct stat st;
        ASSERT_EQ(lstat(folder.c_str(), &st), 0) << folder;
        EXPECT_TRUE(S_ISDIR(st.st_mode)) << folder;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << folder;
    }
}

TEST(ClipRange, SecondsFromPercents)
{
    ClipInfo info;
    info.startPercent = 10;
    info.endPercent = 55.5;
    info.fade = 20;
    const ClipSeconds clip = ClipRangeSeconds(info, 200);
    EXPECT_DOUBLE_EQ(clip.start, 20);
    EXPECT_DOUBLE_EQ(clip.length, 91);
    EXPECT_DOUBLE_EQ(clip.fadeLength, 18.2);
    const ClipSeconds none = ClipRangeSeconds(info, 0);
    EXPECT_EQ(none.length, 0);
}

TEST(ClipRange, TimeTextsAndSizeEstimate)
{
    EXPECT_STREQ(ClipTimeText(0), "00:00:00");
    EXPECT_STREQ(ClipTimeText(3725), "01:02:05");
    // 30 s stereo at 48 kHz and 320 kbit/s is the table's first entry; mono halves it.
    EXPECT_EQ(EstimateClipSizeKB(0, 0, 30, 1), 647);
    EXPECT_EQ(EstimateClipSizeKB(0, 0, 30, 0), 323);
    EXPECT_EQ(EstimateClipSizeKB(8, 11, 15, 1), 37);
    // The tenth sample-rate label ("4kHz") and other indexes past the tables read the last row or column.
    EXPECT_EQ(EstimateClipSizeKB(9, 11, 30, 1), 74);
    EXPECT_EQ(EstimateClipSizeKB(8, 40, 30, 1), 74);
    EXPECT_EQ(EstimateClipSizeKB(-1, -1, 30, 1), 647);
}

TEST(ClipInfoDurations, KeptWhileTheFileIsUnchanged)
{
    TempFolder dir;
    dir.Write("a.wav", "abc");
    const CString path = dir.Win("a.wav").c_str();
    double duration = 0;
    EXPECT_FALSE(FindMediaDuration(path, &duration));
    StoreMediaDuration(path, 12.5);
    ASSERT_TRUE(FindMediaDuration(path, &duration));
    EXPECT_EQ(duration, 12.5);
    dir.Write("a.wav", "abcd");
    EXPECT_FALSE(FindMediaDuration(path, &duration));
}

}  // namespace
