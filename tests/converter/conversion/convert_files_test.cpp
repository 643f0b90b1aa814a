// The conversion's file steps on hand-built files: the SMAF finishing, the wave fade, options and output settings.
#include <gtest/gtest.h>

#include "converter/convert_formats.h"
#include "converter/convert_output_settings.h"
#include "converter/convert_smaf_finish.h"
#include "converter/convert_wave_fade.h"
#include "kernel/prompt_service.h"
#include "services/app_folder.h"
#include "tests/support/byte_builders.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(FinishSmafFile, WritesTheLengthAndAppendsTheCrc)
{
    TempFolder dir;
    Bytes smaf;
    Append(smaf, std::string("MMMD"));
    Append(smaf, {0, 0, 0, 0, 1, 2, 3, 4});
    WriteBytes(dir.Linux("a.mmf"), smaf);
    ASSERT_TRUE(FinishSmafFile(dir.Win("a.mmf").c_str()));
    Bytes expected;
    Append(expected, std::string("MMMD"));
    Append(expected, {0, 0, 0, 6, 1, 2, 3, 4, 0x25, 0x8B});
    EXPECT_EQ(ReadBytes(dir.Linux("a.mmf")), expected);
}

TEST(FinishSmafFile, LeavesShortAndMissingFilesAlone)
{
    TempFolder dir;
    dir.Write("short.mmf", "MMMD\1\2\3");
    EXPECT_FALSE(FinishSmafFile(dir.Win("short.mmf").c_str()));
    EXPECT_EQ(dir.Read("short.mmf"), "MMMD\1\2\3");
    EXPECT_FALSE(FinishSmafFile(dir.Win("none.mmf").c_str()));
}

// A 16-bit mono PCM wave at 8000 Hz with the given values.
Bytes MonoWave(const std::vector<int>& values)
{
    Bytes wave;
    PutTag(wave, "RIFF");
    Put32(wave, static_cast<uint32_t>(36 + 2 * values.size()));
    PutTag(wave, "WAVE");
    PutTag(wave, "fmt ");
    Put32(wave, 16);
    Put16(wave, 1);
    Put16(wave, 1);
    Put32(wave, 8000);
    Put32(wave, 16000);
    Put16(wave, 2);
    Put16(wave, 16);
    PutTag(wave, "data");
    Put32(wave, static_cast<uint32_t>(2 * values.size()));
    for (int v : values)
        Put16(wave, static_cast<uint16_t>(v));
    return wave;
}

TEST(ApplyWaveFade, RampsReachThreeQuartersAndKeepTheSign)
{
    struct Case {
        int fadeIn, fadeOut;
        std::vector<int> expected;
    };
    // Ten values, a ramp of 4 (0.0005 s at 8000 values per second): gains 0, 0.1875, 0.375, 0.5625 at the start
    // and 0.5625, 0.375, 0.1875 over the last three; negative values scale through their complement.
    const std::vector<int> values = {1000, -1000, 1000, -1000, 1000, -1000, 1000, 1000, -1000, 1000};
    const Case cases[] = {
        {1, 0, {0, -188, 375, -562, 1000, -1000, 1000, 1000, -1000, 1000}},
        {0, 1, {1000, -1000, 1000, -1000, 1000, -1000, 1000, 562, -375, 187}},
        {1, 1, {0, -188, 375, -562, 1000, -1000, 1000, 562, -375, 187}},
        {0, 0, values},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        WriteBytes(dir.Linux("a.wav"), MonoWave(values));
        ASSERT_EQ(ApplyWaveFade(dir.Win("a.wav").c_str(), c.fadeIn, c.fadeOut, 0.0005), 1);
        EXPECT_EQ(ReadBytes(dir.Linux("a.wav")), MonoWave(c.expected)) << c.fadeIn << c.fadeOut;
    }
}

TEST(ApplyWaveFade, AFileThatIsNoWaveFailsWithoutAMessageBox)
{
    TempFolder dir;
    dir.Write("a.wav", "not a wave");
    GetRecordingPromptService().Clear();
    EXPECT_EQ(ApplyWaveFade(dir.Win("a.wav").c_str(), 1, 1, 1.0), 0);
    EXPECT_EQ(ApplyWaveFade(dir.Win("none.wav").c_str(), 1, 1, 1.0), 0);
    EXPECT_TRUE(GetRecordingPromptService().Messages().empty());
}

TEST(ConvertFormats, OptionLines)
{
    const CString start = FormatStartOption(12.9);
    const CString length = FormatLengthOption(12.5);
    EXPECT_STREQ(start, " -ss 12");
    EXPECT_STREQ(length, " -t 13 ");
    const char* const expected[kOutputFormatCount] = {
        " -vn  -ss 12  -t 13  -acodec mp3 -ac 2 -ar 44100 -ab 128k -f mp3 ",
        " -vn  -ss 12  -t 13  -ac 2 -ar 44100 -ab 128k -f wav ",
        " -vn  -ss 12  -t 13  -acodec adpcm_yamaha -ac 1 -ar 44100 -f mmf ",
        " -vn  -ss 12  -t 13  -acodec amr_nb -ac 1 -ar 8000 -f amr ",
        " -vn  -ss 12  -t 13  -acodec amr_wb -ac 1 -ar 16000 -f amr ",
        " -vn  -ss 12  -t 13  -acodec aac -ac 2 -ar 44100 -aq 60 -f mp4 ",
    };
    for (int format = 0; format < kOutputFormatCount; ++format)
        EXPECT_STREQ(FormatConvertOptions(format, start, length, 2, 44100, 128), expected[format]);
    EXPECT_STREQ(FormatConvertOptions(6, start, length, 2, 44100, 128), "");
    EXPECT_STREQ(GetOutputExtension(5), ".m4r");
}

TEST(ConvertOutputSettings, IndexesAreCheckedAgainstTheTables)
{
    TempFolder program;
    program.Write("common.ini",
                  "[format0]\nsample=4\nbitrate=5\nchannel=1\n"
                  "[format1]\nsample=9\nbitrate=40\nchannel=0\n"
                  "[format2]\nsample=-2\nbitrate=-1\n");
    SetAppFolder(program.Win().c_str());
    struct Case {
        int format, rate, bitRate, channels;
    };
    const Case cases[] = {
        {0, 22050, 128, 2}, {1, 8000, 16, 1}, {2, 48000, 320, 1}, {3, 48000, 320, 1},  // a fresh installation
    };
    for (const Case& c : cases) {
        const ConvertOutputSettings settings = ReadConvertOutputSettings(c.format);
        EXPECT_EQ(settings.sampleRate, c.rate) << c.format;
        EXPECT_EQ(settings.bitRate, c.bitRate) << c.format;
        EXPECT_EQ(settings.channels, c.channels) << c.format;
    }
}

}  // namespace
