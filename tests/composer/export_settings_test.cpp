// The export settings of common.ini, the names of exported ringtones and new songs, and the range texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "composer/export_name.h"
#include "composer/export_range.h"
#include "composer/export_settings.h"
#include "kernel/program_paths.h"
#include "services/app_folder.h"
#include "tests/support/temp_folder.h"

namespace {

// common.ini of a program folder of the test's own.
class ExportSettingsIni : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = GetAppFolder();
        SetAppFolder(CString((dir.Win("program") + "\\").c_str()));
        std::filesystem::create_directories(dir.Linux("program"));
    }
    void TearDown() override { SetAppFolder(saved); }
    // The shipped settings file, as a fresh installation has it (no user's copy yet).
    void Ini(const std::string& text)
    {
        dir.Write("program/common.ini", text);
        std::filesystem::remove(std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "kestrin" / "common.ini");
    }

    TempFolder dir;
    CString saved;
};

TEST_F(ExportSettingsIni, ReadsTheFormatSixSectionAndTheFolder)
{
    Ini("[common]\ndesdir=D:\\Tones\\\n[format5]\nsample=7\n[format6]\nsample=2\nbitrate=5\nchannel=1\n");
    ExportSettings settings = ReadExportSettings();
    EXPECT_EQ(settings.strFolder, "D:\\Tones\\");
    EXPECT_EQ(settings.nSample, 2);
    EXPECT_EQ(settings.nBitrate, 5);
    EXPECT_EQ(settings.nChannel, 1);
}

TEST_F(ExportSettingsIni, WithoutKeysTheQualityIsZeroAndTheFolderIsMadeInTheDocuments)
{
    Ini("[common]\n");
    ExportSettings settings = ReadExportSettings();
    EXPECT_EQ(settings.nSample, 0);
    EXPECT_EQ(settings.nBitrate, 0);
    EXPECT_EQ(settings.nChannel, 0);
    const std::string documents = getenv("XDG_DOCUMENTS_DIR");
    EXPECT_TRUE(std::filesystem::is_directory(documents + "/Tonwick"));
    EXPECT_EQ(std::string(settings.strFolder).substr(settings.strFolder.GetLength() - 9), "\\Tonwick\\");
}

TEST_F(ExportSettingsIni, AChosenFolderIsStoredAndReadWithOneTrailingBackslash)
{
    Ini("[common]\n");
    const struct {
        const char* chosen;
        const char* stored;
    } cases[] = {{"D:\\Tones", "D:\\Tones\\"}, {"D:\\", "D:\\"}, {"D:\\Tones\\", "D:\\Tones\\"}};
    for (const auto& c : cases) {
        EXPECT_EQ(StoreExportFolder(c.chosen), c.stored) << c.chosen;
        EXPECT_EQ(ReadExportSettings().strFolder, c.stored) << c.chosen;
    }
    // A folder typed into the file by hand still takes names appended to it.
    Ini("[common]\ndesdir=D:\\Hand\n");
    EXPECT_EQ(ReadExportSettings().strFolder, "D:\\Hand\\");
}

TEST(ExportName, NumberedNamesTakeTheFirstFreeNumber)
{
    TempFolder dir;
    const CString folder = dir.Win().c_str();
    EXPECT_EQ(NextNumberedExportName(folder), folder + "tonwick-001.m4r");
    dir.Write("tonwick-001.m4r", "x");
    dir.Write("tonwick-002.m4r", "x");
    dir.Write("tonwick-003.m4r", "x");
    EXPECT_EQ(NextNumberedExportName(folder), folder + "tonwick-004.m4r");
    std::filesystem::remove(dir.Linux("tonwick-002.m4r"));
    EXPECT_EQ(NextNumberedExportName(folder), folder + "tonwick-002.m4r");
    // Songs saved under a number do not take it; only ringtones do.
    dir.Write("tonwick-002.mid", "x");
    EXPECT_EQ(NextNumberedExportName(folder), folder + "tonwick-002.m4r");
    EXPECT_EQ(NextDefaultSongName(folder), folder + "tonwick-002.mid");
}

TEST(ExportName, ASongWithAFileExportsUnderItsTitle)
{
    TempFolder dir;
    const CString folder = dir.Win().c_str();
    dir.Write("song.m4r", "older");
    EXPECT_EQ(ExportNameForSong(folder, "E:\\music\\song.mid"), folder + "song.m4r");
    EXPECT_EQ(ExportNameForSong(folder, ""), folder + "tonwick-001.m4r");
}

TEST(ExportRange, TimesAndSizeEstimate)
{
    EXPECT_EQ(FormatRangeTime(0), "00:00:00");
    EXPECT_EQ(FormatRangeTime(3725), "01:02:05");
    EXPECT_EQ(FormatRangeTime(59), "00:00:59");
    const struct {
        int seconds, sample, bitrate, channel, kilobytes;
    } cases[] = {
        {30, 1, 5, 1, 463},                    // 44100 Hz, 128 kbit/s, stereo
        {30, 1, 5, 0, 231},                    // mono: half, the fraction dropped
        {45, 0, 0, 1, 970},                    // 45 x 647 / 30 = 970.5
        {30, 8, 0, 1, 0},                      // 8000 Hz at 320 kbit/s has no estimate
        {30, 8, 11, 1, 74}, {30, 9, 0, 1, 0},  // indices outside the table
        {30, 0, 12, 1, 0},  {30, -1, 5, 1, 0}, {0, 1, 5, 1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EstimateRingtoneKilobytes(c.seconds, c.sample, c.bitrate, c.channel), c.kilobytes)
            << c.seconds << " s, " << c.sample << "/" << c.bitrate << "/" << c.channel;
}

}  // namespace
