// The ffmpeg runner on the real ffmpeg: probes, progress posts, failures, cancel and refused nesting.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "audio/ffmpeg_process.h"
#include "audio_test_util.h"
#include "kernel/path_map.h"
#include "services/documents_folder.h"

using namespace audiotest;

namespace {

CWnd* const kOwner = reinterpret_cast<CWnd*>(0x1000);

class FfmpegRun : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new TempFolder;
        // Two seconds of tone, and a small video with a sound track.
        ASSERT_TRUE(Ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=2", dir->Linux("tone.wav")}));
        ASSERT_TRUE(Ffmpeg({"-f", "lavfi", "-i", "testsrc=duration=1.5:size=64x48:rate=10", "-f", "lavfi", "-i",
                            "sine=duration=1.5", "-shortest", "-c:v", "mpeg4", "-c:a", "mp2", dir->Linux("clip.avi")}));
    }
    static void TearDownTestSuite() { delete dir; }
    std::unique_ptr<CFfmpegProcess> NewRunner()
    {
        auto p = std::make_unique<CFfmpegProcess>();
        p->SetNotify(kOwner, 0x464, 11);
        return p;
    }
    static TempFolder* dir;
    RecordedWindows windows;
};
TempFolder* FfmpegRun::dir = nullptr;

TEST_F(FfmpegRun, ProbeDescribesGeneratedMedia)
{
    auto probe = std::make_unique<CFfmpegProcess>(CString(dir->Win("clip.avi")), nullptr);
    EXPECT_EQ(probe->m_bHeaderParsed, 1);
    EXPECT_STREQ(probe->m_strInputName, dir->Linux("clip.avi").c_str());
    EXPECT_NEAR(probe->m_dDuration, 1.5, 0.05);
    EXPECT_EQ(std::string(probe->m_strVideoInfo).rfind("mpeg4", 0), 0u) << probe->m_strVideoInfo;
    EXPECT_EQ(std::string(probe->m_strAudioInfo).rfind("mp2", 0), 0u) << probe->m_strAudioInfo;
    EXPECT_TRUE(windows.posts.empty());
}

TEST_F(FfmpegRun, ConversionPostsProgressThenTheEndCodes)
{
    auto p = NewRunner();
    ASSERT_EQ(p->Run(CString(dir->Win("tone.wav")), " -vn -acodec mp3 -f mp3 ", CString(dir->Win("tone.mp3"))), 0);
    EXPECT_EQ(p->m_bSuccess, 1);
    EXPECT_NEAR(p->m_dDuration, 2.0, 0.01);
    EXPECT_EQ(Probe(dir->Linux("tone.mp3"), "stream=codec_name"), "mp3");
    std::vector<LPARAM> values = windows.Values();
    ASSERT_GE(values.size(), 2u);
    EXPECT_EQ(values[values.size() - 2], 100);
    EXPECT_EQ(values.back(), -1);
    for (const Post& post : windows.posts) {
        EXPECT_EQ(post.wnd, kOwner);
        EXPECT_EQ(post.message, 0x464u);
        EXPECT_EQ(post.wParam, 11u);
    }
    EXPECT_FALSE(std::filesystem::exists(MapPath(p->m_strLogPath)));
}

TEST_F(FfmpegRun, FailuresPostMinusTwoAndKeepTheirCause)
{
    // A missing input, an unknown encoder, output that ffmpeg refuses with an exit code only, a full disk
    // (ffmpeg still exits with 0), and a run that writes no output file.
    struct Case {
        CString input, options, output;
        std::string cause;
    } cases[] = {
        {CString(dir->Win("missing.wav")), " -vn -f mp3 ", CString(dir->Win("x.mp3")),
         dir->Linux("missing.wav") + ": No such file or directory"},
        {CString(dir->Win("tone.wav")), " -vn -acodec nosuchcodec -f mp3 ", CString(dir->Win("y.mp3")),
         "Unknown encoder 'nosuchcodec'"},
        {CString(dir->Win("tone.wav")), " -vn -f mp3 ", CString(dir->Win("no-folder/z.mp3")),
         dir->Linux("no-folder/z.mp3") + ": No such file or directory"},
        {CString(dir->Win("tone.wav")), " -vn -f mp3 ", "/dev/full", "No space left on device"},
        {CString(dir->Win("tone.wav")), " -vn -f null ", CString(dir->Win("nothing.mp3")),
         "ffmpeg wrote no output file."},
    };
    for (const Case& c : cases) {
        windows.posts.clear();
        auto p = NewRunner();
        ASSERT_EQ(p->Run(c.input, c.options, c.output), 0);
        EXPECT_EQ(p->m_bSuccess, 0) << c.cause;
        EXPECT_NE(std::string(p->m_strError).find(c.cause), std::string::npos) << p->m_strError;
        std::vector<LPARAM> values = windows.Values();  // progress first where ffmpeg got that far
        ASSERT_GE(values.size(), 3u);
        EXPECT_EQ(std::vector<LPARAM>(values.end() - 3, values.end()), (std::vector<LPARAM>{100, -1, -2}));
    }
}

TEST_F(FfmpegRun, NamesLikeErrorTextsAndADamagedFrameStillConvert)
{
    std::filesystem::copy_file(dir->Linux("tone.wav"), dir->Linux("Permission denied.wav"),
                               std::filesystem::copy_options::overwrite_existing);
    // An mp3 with a stretch of broken frame headers in the middle: ffmpeg skips them and goes on.
    ASSERT_TRUE(Ffmpeg({"-i", dir->Linux("tone.wav"), "-f", "mp3", dir->Linux("good.mp3")}));
    std::vector<uint8_t> mp3 = ReadBytes(dir->Linux("good.mp3"));
    for (size_t i = mp3.size() / 2; i < mp3.size() / 2 + 600; i += 4) {
        mp3[i] = 0xFF, mp3[i + 1] = 0xFB, mp3[i + 2] = 0x12, mp3[i + 3] = 0x34;
    }
    WriteBytes(dir->Linux("damaged.mp3"), mp3);
    const std::pair<std::string, std::string> cases[] = {
        {"Permission denied.wav", "Unknown format.mp3"},
        {"damaged.mp3", "repaired.mp3"},
    };
    for (const auto& [input, output] : cases) {
        auto p = NewRunner();
        ASSERT_EQ(p->Run(CString(dir->Win(input)), " -vn -acodec mp3 -f mp3 ", CString(dir->Win(output))), 0);
        EXPECT_EQ(p->m_bSuccess, 1) << input << ": " << p->m_strError;
        EXPECT_EQ(Probe(dir->Linux(output), "stream=codec_name"), "mp3");
    }
}

TEST_F(FfmpegRun, FailedStartReturnsMinusOneWithTheReasonAndLeavesNoLog)
{
    auto p = NewRunner();
    p->SetPrefix("no-such-ffmpeg-program -y -i ");
    EXPECT_EQ(p->Run(CString(dir->Win("tone.wav")), " -f mp3 ", CString(dir->Win("never.mp3"))), -1);
    EXPECT_EQ(p->m_bSuccess, 0);
    EXPECT_STREQ(p->m_strError, "Can't start no-such-ffmpeg-program: No such file or directory");
    EXPECT_TRUE(windows.posts.empty());
    EXPECT_FALSE(std::filesystem::exists(MapPath(p->m_strLogPath)));
}

CFfmpegProcess* g_nested = nullptr;
int g_nestedResult = 0;

TEST_F(FfmpegRun, CancelStopsTheChildAndNestingIsRefused)
{
    auto nested = std::make_unique<CFfmpegProcess>();
    g_nested = nested.get();
    windows.pumpAction = [] {
        g_nestedResult = g_nested->Run("x", " ", "y");
        CFfmpegProcess::Cancel();
    };
    auto p = NewRunner();
    // Ten hours of tone would keep ffmpeg busy far longer than the test runs, unless cancelled.
    p->SetPrefix("ffmpeg -y -f lavfi -i ");
    ASSERT_EQ(p->Run("sine=duration=36000", " -f null ", "/dev/null"), 0);
    EXPECT_EQ(g_nestedResult, -1);
    EXPECT_EQ(g_nested->m_bSuccess, 0);
    EXPECT_EQ(p->m_bSuccess, 0);
    EXPECT_EQ(windows.Values().back(), -2);
    p->Reset();
    EXPECT_EQ(g_bCancelFfmpeg, 0);
}

}  // namespace
