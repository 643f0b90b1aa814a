// ffmpeg runner parsers: times, progress lines of old and new ffmpeg, error texts and the input header.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "audio/ffmpeg_process.h"
#include "services/deliverable.h"

namespace {

// The object is large; keep it off the stack.
std::unique_ptr<CFfmpegProcess> Runner(double duration)
{
    auto p = std::make_unique<CFfmpegProcess>();
    p->m_dDuration = duration;
    return p;
}

TEST(FfmpegParse, ParseTime)
{
    auto p = Runner(0);
    const std::pair<const char*, double> cases[] = {
        {"00:03:25.12", 205.12}, {"01:00:00.00", 3600}, {"1:2", 3602}, {"::7", 7}, {"12.5", 0}, {"N/A", 0}, {"", 0}};
    for (auto [text, seconds] : cases)
        EXPECT_NEAR(p->ParseTime(text), seconds, 1e-9) << text;
}

TEST(FfmpegParse, ProgressOfBothTimeForms)
{
    // Captured lines: today's ffmpeg prints hh:mm:ss.xx, older ones plain seconds.
    const std::pair<const char*, int> cases[] = {
        {"size=     512kB time=00:00:05.00 bitrate= 838.9kbits/s speed=40.1x    \r", 50},
        {"size=     256kB time=2.50 bitrate= 838.9kbits/s    \r", 25},
        {"frame=  100 fps=0.0 q=-1.0 size=  1024kB time=00:00:12.00 bitrate= 699.1kbits/s speed=  24x\r", 120},
    };
    for (auto [chunk, percent] : cases) {
        auto p = Runner(10.0);
        p->ParseProgress(chunk);
        EXPECT_EQ(p->m_nPercent, percent) << chunk;
        EXPECT_EQ(p->m_bSuccess, 1);
    }
}

TEST(FfmpegParse, ProgressNeedsTimeBitrateAndADuration)
{
    auto p = Runner(10.0);
    p->ParseProgress("size=     512kB time=00:00:05.00\r");
    EXPECT_EQ(p->m_nPercent, 0);
    auto q = Runner(0.0);
    q->ParseProgress("time=00:00:05.00 bitrate= 1.0kbits/s");
    EXPECT_EQ(q->m_nPercent, 0);
    EXPECT_EQ(q->m_dTime, 0.0);
}

TEST(FfmpegParse, OnlyFfmpegsOwnMessageLinesFailARun)
{
    // The files are named like ffmpeg's error texts; the chunks end anywhere, even inside a line.
    struct Case {
        std::vector<const char*> chunks;
        const char* error;  // the cause kept for the user; null: the run stays good
    } cases[] = {
        {{"x.foo: Unsupported codec\n"}, "x.foo: Unsupported codec"},
        {{"Unknown encoder 'amr_nb'\n"}, "Unknown encoder 'amr_nb'"},
        {{"/nowhere/in.wav: No such file or directory\n"}, "/nowhere/in.wav: No such file or directory"},
        {{"in.wav: Invalid da", "ta found when processing input"}, "in.wav: Invalid data found when processing input"},
        {{"a.wav: Permission denied\nConversion failed!\n"}, "a.wav: Permission denied"},
        {{"size=  0kB time=00:00:00.00 bitrate=N/A speed=N/A    \rError writing trailer of /dev/full: No space "
          "left on device\n"},
         "Error writing trailer of /dev/full: No space left on device"},
        {{"Input #0, wav, from '/tmp/Permission denied.wav':\n",
          "  Duration: 00:00:02.00, bitrate: 705 kb/s\n    title           : Unknown format\n",
          "Output #0, mp3, to '/tmp/Unknown format.mp3':\n"},
         nullptr},
        {{"Error opening output file /tmp/Unknown format.mp3.\n"}, nullptr},
        {{"[mp3float @ 0x55] Header missing\nError while decoding stream #0:0: Invalid data found when "
          "processing input\n"},
         nullptr},
    };
    for (const Case& c : cases) {
        auto p = Runner(10.0);
        p->SetEchoedNames("/tmp/Permission denied.wav", "/tmp/Unknown format.mp3");
        for (const char* chunk : c.chunks)
            p->ParseMessages(chunk);
        p->FinishMessages();
        EXPECT_EQ(p->m_bSuccess, c.error ? 0 : 1) << c.chunks[0];
        EXPECT_STREQ(p->m_strError, c.error ? c.error : "") << c.chunks[0];
    }
}

const char kHeader[] =
    "Input #0, avi, from '/tmp/My Clip.avi':\n"
    "  Duration: 00:01:02.50, start: 0.000000, bitrate: 1200 kb/s\n"
    "  Stream #0:0: Video: mpeg4 (Simple Profile) (FMP4 / 0x34504D46), yuv420p, 320x240, 25 fps\n"
    "  Stream #0:1: Audio: MP3 (U[0][0] / 0x0055), 44100 Hz, stereo, fltp, 128 kb/s\n";

TEST(FfmpegParse, HeaderGivesNameDurationAndStreams)
{
    auto p = Runner(0);
    p->ParseHeaderText(kHeader);
    EXPECT_EQ(p->m_bHeaderParsed, 1);
    EXPECT_STREQ(p->m_strInputName, "/tmp/My Clip.avi");
    EXPECT_DOUBLE_EQ(p->m_dDuration, 62.5);
    EXPECT_STREQ(p->m_strVideoInfo, "mpeg4 (Simple Profile) (FMP4 / 0x34504D46)");
    EXPECT_STREQ(p->m_strAudioInfo, "MP3 (U[0][0] / 0x0055)");
}

TEST(FfmpegParse, ConverterLowerCasesTheAudioDescription)
{
    SetDeliverable(DELIVERABLE_CONVERTER);
    auto p = Runner(0);
    p->ParseHeaderText(kHeader);
    SetDeliverable(DELIVERABLE_COMPOSER);
    EXPECT_STREQ(p->m_strAudioInfo, "mp3 (u[0][0] / 0x0055)");
}

TEST(FfmpegParse, MissingMarkersKeepFieldsAndAnUnendedStreamStopsTheParse)
{
    auto p = Runner(7.0);
    p->m_strInputName = "kept";
    p->ParseHeaderText("  Stream #0:0: Audio: pcm_s16le, 8000 Hz\n");
    EXPECT_EQ(p->m_bHeaderParsed, 1);
    EXPECT_STREQ(p->m_strInputName, "kept");
    EXPECT_DOUBLE_EQ(p->m_dDuration, 7.0);
    EXPECT_STREQ(p->m_strAudioInfo, "pcm_s16le");

    auto q = Runner(0);
    q->ParseHeaderText("Duration: 00:00:01.00, x\n Stream #0:0: Video: h264");
    EXPECT_EQ(q->m_bHeaderParsed, 0);
    EXPECT_DOUBLE_EQ(q->m_dDuration, 1.0);
}

}  // namespace
