// One batch row on the real ffmpeg: every output format, fades, the preview wave, failures and cancel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/ffmpeg_process.h"
#include "converter/batch_output_names.h"
#include "converter/batch_row.h"
#include "converter/clip_range.h"
#include "converter/convert_formats.h"
#include "kernel/prompt_service.h"
#include "services/path_parts.h"
#include "audio_test_util.h"
#include "tests/support/byte_builders.h"
#include "tests/support/temp_folder.h"
#include "song/smaf_crc/smaf_crc16.h"

using namespace audiotest;

namespace {

class BatchRow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        media = new TempFolder;
        // Four seconds of stereo tone, and a small video with a sound track.
        ASSERT_TRUE(Ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=4:sample_rate=44100", "-ac", "2",
                            media->Linux("tone.wav")}));
        ASSERT_TRUE(Ffmpeg({"-f", "lavfi", "-i", "testsrc=duration=3:size=64x48:rate=10", "-f", "lavfi", "-i",
                            "sine=duration=3", "-shortest", "-c:v", "mpeg4", "-c:a", "mp2", media->Linux("clip.avi")}));
        media->Write("broken.mp3", std::string(4000, '\x55'));
    }
    static void TearDownTestSuite() { delete media; }

    void SetUp() override
    {
        job.output = work.Win("export/tone.mp3").c_str();
        job.tempFolder = work.Win("documents/").c_str();
        std::filesystem::create_directories(work.Linux("export"));
        std::filesystem::create_directories(work.Linux("documents"));
        job.source = media->Win("tone.wav").c_str();
        job.start = 0.5;
        job.length = 2;
        job.sampleRate = 44100;
        job.bitRate = 128;
        job.channels = 2;
    }

    int Convert()
    {
        CFfmpegProcess runner;
        return ConvertBatchRow(runner, job, &cancel, &error);
    }

    // The Linux path of a media file's preview wave in the documents folder.
    std::string PreviewWave(const CString& media) const
    {
        const std::string name = static_cast<const char*>(GetPathFileName(GetPreviewWavePath("", media)));
        return work.Linux("documents/" + name);
    }

    std::string Contents(const std::string& name) const
    {
        const Bytes bytes = ReadBytes(work.Linux(name));
        return std::string(bytes.begin(), bytes.end());
    }

    // The names in the export folder.
    std::vector<std::string> Exported() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(work.Linux("export")))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static TempFolder* media;
    TempFolder work;
    BatchRowJob job;
    int cancel = 0;
    CString error;
};
TempFolder* BatchRow::media = nullptr;

double Seconds(const std::string& file) { return std::atof(Probe(file, "format=duration").c_str()); }

TEST_F(BatchRow, EveryFormatHoldsTheClipInItsCodecRateAndChannels)
{
    struct Case {
        const char* name;
        const char* codec;
        const char* rate;
        const char* channels;
    };
    const Case cases[kOutputFormatCount] = {
        {"tone.mp3", "mp3", "44100", "2"},          {"tone.wav", "pcm_s16le", "44100", "2"},
        {"tone.mmf", "adpcm_yamaha", "44100", "1"}, {"tone.amr", "amr_nb", "8000", "1"},
        {"tone.awb", "amr_wb", "16000", "1"},       {"tone.m4r", "aac", "44100", "2"},
    };
    for (int format = 0; format < kOutputFormatCount; ++format) {
        const Case& c = cases[format];
        job.format = format;
        job.output = work.Win(std::string("export/") + c.name).c_str();
        ASSERT_EQ(Convert(), 1) << c.name;
        const std::string file = work.Linux(std::string("export/") + c.name);
        EXPECT_EQ(Probe(file, "stream=codec_name"), c.codec) << c.name;
        EXPECT_EQ(Probe(file, "stream=sample_rate"), c.rate) << c.name;
        EXPECT_EQ(Probe(file, "stream=channels"), c.channels) << c.name;
        if (format != 2) {  // the SMAF demuxer does not tell a duration
            EXPECT_NEAR(Seconds(file), 2.0, 0.15) << c.name;
        }
    }
    // The SMAF file's chunk length covers all but its first 8 bytes, and its last two are the CRC of the rest.
    const Bytes smaf = ReadBytes(work.Linux("export/tone.mmf"));
    ASSERT_GT(smaf.size(), 10u);
    EXPECT_EQ(static_cast<size_t>(smaf[4]) << 24 | smaf[5] << 16 | smaf[6] << 8 | smaf[7], smaf.size() - 8);
    const uint16_t crc = SmafCrc16(smaf.data(), smaf.size() - 2);
    EXPECT_EQ(smaf[smaf.size() - 2], crc >> 8);
    EXPECT_EQ(smaf[smaf.size() - 1], crc & 0xFF);
}

TEST_F(BatchRow, TheSizeEstimateIsNearTheFileWritten)
{
    // Eight seconds of a tone in noise, as music is to the variable-rate encoders; mono at 44100 Hz.
    ASSERT_TRUE(Ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=8", "-f", "lavfi", "-i",
                        "anoisesrc=d=8:a=0.3", "-filter_complex", "amix=inputs=2", work.Linux("music.wav")}));
    job.source = work.Win("music.wav").c_str();
    job.start = 0;
    job.length = 8;
    job.channels = 1;
    for (int format = 1; format < kOutputFormatCount; ++format) {
        job.format = format;
        job.output = work.Win(std::string("export/music") + GetOutputExtension(format)).c_str();
        ASSERT_EQ(Convert(), 1) << format;
        const double written =
            std::filesystem::file_size(work.Linux(std::string("export/music") + GetOutputExtension(format))) / 1024.0;
        EXPECT_NEAR(EstimateOutputSizeKB(format, 1, 0, 8, 0), written, 0.15 * written) << format;
    }
}

TEST_F(BatchRow, TheBitRateSettingReachesTheEncoder)
{
    job.bitRate = 32;
    job.channels = 1;
    ASSERT_EQ(Convert(), 1);
    EXPECT_EQ(Probe(work.Linux("export/tone.mp3"), "stream=bit_rate"), "32000");
}

TEST_F(BatchRow, FadesCutTheClipFirstAndLeaveNoWaveBehind)
{
    job.format = 1;
    job.output = work.Win("export/tone.wav").c_str();
    job.fadeIn = 1;
    job.fadeOut = 1;
    job.fadeLength = 0.5;
    ASSERT_EQ(Convert(), 1);
    const std::string file = work.Linux("export/tone.wav");
    EXPECT_NEAR(Seconds(file), 2.0, 0.05);
    const Bytes wave = ReadBytes(file);
    const size_t data = std::string(wave.begin(), wave.end()).find("data") + 8;
    ASSERT_LT(data, wave.size());
    auto peakAround = [&](double seconds) {
        int peak = 0;
        const size_t first = static_cast<size_t>(seconds * 44100);
        for (size_t frame = first; frame < first + 200 && data + 4 * frame + 1 < wave.size(); ++frame)
            peak = std::max(peak,
                            std::abs(static_cast<int16_t>(wave[data + 4 * frame] | wave[data + 4 * frame + 1] << 8)));
        return peak;
    };
    // Silent at both ends, three quarters up at the ramps' inner ends, full in the middle.
    const int full = peakAround(1.0);
    EXPECT_GT(full, 2000);
    EXPECT_LT(peakAround(0.0), full / 50);
    EXPECT_NEAR(peakAround(0.495), 0.74 * full, 0.03 * full);
    EXPECT_LT(peakAround(1.9945), full / 50);
    EXPECT_FALSE(std::filesystem::exists(work.Linux("documents/mervanetempwavefile.wav")));
}

TEST_F(BatchRow, APreviewWaveStandsInForItsMedia)
{
    job.source = media->Win("gone.mp3").c_str();
    ASSERT_TRUE(Ffmpeg({"-f", "lavfi", "-i", "sine=frequency=880:duration=1", PreviewWave(job.source)}));
    job.output = work.Win("export/gone.mp3").c_str();
    job.trim = 0;
    ASSERT_EQ(Convert(), 1);
    EXPECT_NEAR(Seconds(work.Linux("export/gone.mp3")), 1.0, 0.1);
}

TEST_F(BatchRow, VideoGivesItsSoundTrack)
{
    job.source = media->Win("clip.avi").c_str();
    job.format = 5;
    job.output = work.Win("export/clip.m4r").c_str();
    ASSERT_EQ(Convert(), 1);
    EXPECT_EQ(Probe(work.Linux("export/clip.m4r"), "stream=codec_name"), "aac");
    EXPECT_EQ(RunCapture({"ffprobe", "-v", "error", "-select_streams", "v", "-show_entries", "stream=codec_name", "-of",
                          "default=nw=1:nk=1", work.Linux("export/clip.m4r")}),
              "");
}

TEST_F(BatchRow, AnUnreadableFileFailsWithoutOutput)
{
    job.source = media->Win("broken.mp3").c_str();
    for (int format : {0, 2}) {
        job.format = format;
        job.output = work.Win(std::string("export/broken") + GetOutputExtension(format)).c_str();
        EXPECT_EQ(Convert(), 0);
        EXPECT_FALSE(std::filesystem::exists(work.Linux(std::string("export/broken") + GetOutputExtension(format))));
        EXPECT_FALSE(error.IsEmpty());
    }
    EXPECT_TRUE(Exported().empty());
}

TEST_F(BatchRow, AFailedRowLeavesTheOlderOutputAsItWas)
{
    work.Write("export/broken.mp3", "an older ringtone");
    job.source = media->Win("broken.mp3").c_str();
    job.output = work.Win("export/broken.mp3").c_str();
    EXPECT_EQ(Convert(), 0);
    EXPECT_EQ(Contents("export/broken.mp3"), "an older ringtone");
    EXPECT_EQ(Exported(), std::vector<std::string>{"broken.mp3"});
}

TEST_F(BatchRow, AClipShorterThanHalfASecondKeepsItsLength)
{
    for (int format : {0, 3, 5}) {
        job.format = format;
        job.length = 0.3;
        job.output = work.Win(std::string("export/short") + GetOutputExtension(format)).c_str();
        ASSERT_EQ(Convert(), 1) << format;
        EXPECT_NEAR(Seconds(work.Linux(std::string("export/short") + GetOutputExtension(format))), 0.3, 0.1) << format;
    }
    // Nothing to encode is a failure, not an empty ringtone.
    job.length = 0;
    job.format = 0;
    job.output = work.Win("export/empty.mp3").c_str();
    EXPECT_EQ(Convert(), 0);
    EXPECT_FALSE(std::filesystem::exists(work.Linux("export/empty.mp3")));
}

TEST_F(BatchRow, TheSourceIsNeverAnotherFilesPreviewWave)
{
    // A file of the same title elsewhere was previewed; this row converts its own 440 Hz tone.
    ASSERT_TRUE(
        Ffmpeg({"-f", "lavfi", "-i", "sine=frequency=880:duration=4", PreviewWave(media->Win("tone.ogg").c_str())}));
    ASSERT_EQ(Convert(), 1);
    EXPECT_NEAR(ToneFrequency(work.Linux("export/tone.mp3")), 440, 10);
}

TEST_F(BatchRow, FadesTakeManyChannelsAndHighRates)
{
    struct Case {
        const char* name;
        std::vector<std::string> encode;
    };
    const Case cases[] = {
        {"hi.flac", {"-ar", "96000", "-ac", "2", "-sample_fmt", "s32"}},
        {"surround.wav", {"-ar", "48000", "-ac", "6"}},
    };
    job.fadeIn = 1;
    job.fadeOut = 1;
    job.fadeLength = 0.5;
    GetRecordingPromptService().Clear();
    for (const Case& c : cases) {
        std::vector<std::string> args = {"-f", "lavfi", "-i", "sine=frequency=440:duration=3"};
        args.insert(args.end(), c.encode.begin(), c.encode.end());
        args.push_back(work.Linux(c.name));
        ASSERT_TRUE(Ffmpeg(args)) << c.name;
        job.source = work.Win(c.name).c_str();
        ASSERT_EQ(Convert(), 1) << c.name << ": " << static_cast<const char*>(error);
        EXPECT_NEAR(Seconds(work.Linux("export/tone.mp3")), 2.0, 0.1) << c.name;
        EXPECT_NEAR(ToneFrequency(work.Linux("export/tone.mp3")), 440, 10) << c.name;
    }
    EXPECT_TRUE(GetRecordingPromptService().Messages().empty());
}

TEST_F(BatchRow, AStaleFadeWaveIsNeverConverted)
{
    // An earlier run kept its fade wave (removetemp=0); this row's fade step fails.
    ASSERT_TRUE(Ffmpeg({"-f", "lavfi", "-i", "sine=duration=1", work.Linux("documents/mervanetempwavefile.wav")}));
    job.source = media->Win("broken.mp3").c_str();
    job.fadeIn = 1;
    job.fadeLength = 0.2;
    job.removeTemp = 0;
    job.output = work.Win("export/broken.mp3").c_str();
    EXPECT_EQ(Convert(), 0);
    EXPECT_FALSE(std::filesystem::exists(work.Linux("export/broken.mp3")));
}

TEST_F(BatchRow, ACancelDuringTheRunFailsTheRow)
{
    // Cancelled once ffmpeg reports progress: it is writing the output by then.
    ASSERT_TRUE(Ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=600", "-ac", "1", work.Linux("long.flac")}));
    RecordedWindows windows;
    static RecordedWindows* s_windows = nullptr;
    static int* s_cancel = nullptr;
    s_windows = &windows;
    s_cancel = &cancel;
    windows.pumpAction = [] {
        if (s_windows->posts.empty())
            return;
        g_bCancelFfmpeg = 1;
        *s_cancel = 1;
    };
    CFfmpegProcess runner;
    // Only recorded, never dereferenced.
    runner.SetNotify(reinterpret_cast<CWnd*>(0x1000), 0x464, 11);
    job.source = work.Win("long.flac").c_str();
    job.length = 600;
    work.Write("export/tone.mp3", "a good ringtone");
    EXPECT_EQ(ConvertBatchRow(runner, job, &cancel, &error), 0);
    EXPECT_FALSE(windows.posts.empty());
    EXPECT_STREQ(error, "Cancelled.");
    EXPECT_EQ(Contents("export/tone.mp3"), "a good ringtone");
    EXPECT_EQ(Exported(), std::vector<std::string>{"tone.mp3"});
}

TEST_F(BatchRow, ACancelBeforeTheOutputFailsTheRow)
{
    RecordedWindows windows;
    static int* s_cancel = nullptr;
    s_cancel = &cancel;
    windows.pumpAction = [] {
        g_bCancelFfmpeg = 1;
        *s_cancel = 1;
    };
    job.length = 4;
    work.Write("export/tone.mp3", "a good ringtone");
    EXPECT_EQ(Convert(), 0);
    EXPECT_STREQ(error, "Cancelled.");
    EXPECT_EQ(Contents("export/tone.mp3"), "a good ringtone");
    EXPECT_EQ(Exported(), std::vector<std::string>{"tone.mp3"});
}

}  // namespace

// Sources whose names differ only in case are two files with two outputs: converting "song.WAV" after
// "Song.wav" never writes over the first one's output.
TEST_F(BatchRow, NamesDifferingInCaseAreSeparateFiles)
{
    std::filesystem::copy_file(media->Linux("tone.wav"), work.Linux("Song.wav"));
    ASSERT_TRUE(Ffmpeg(
        {"-f", "lavfi", "-i", "sine=frequency=440:duration=3:sample_rate=22050", "-ac", "1", work.Linux("song.WAV")}));
    job.format = 1;
    job.trim = 0;
    BatchOutputNames names;
    names.AddSource(work.Win("Song.wav").c_str());
    names.AddSource(work.Win("song.WAV").c_str());
    job.source = work.Win("Song.wav").c_str();
    job.output = names.Choose(work.Win("export/").c_str(), "Song", ".wav");
    ASSERT_EQ(Convert(), 1);
    job.source = work.Win("song.WAV").c_str();
    job.output = names.Choose(work.Win("export/").c_str(), "song", ".wav");
    ASSERT_EQ(Convert(), 1);
    EXPECT_STREQ(job.output, work.Win("export/song.wav").c_str());
    EXPECT_NEAR(Seconds(work.Linux("export/Song.wav")), 4.0, 0.15);
    EXPECT_NEAR(Seconds(work.Linux("export/song.wav")), 3.0, 0.15);
}
