// The preview player's picture moved into another window and stepped picture by picture.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "media/preview_player.h"
#include "media_window_fixture.h"
#include "ui/native_window.h"

namespace {

constexpr LONGLONG kSecond = 10000000;  // in 100 ns units

bool RunCommand(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

class PreviewFramesTest : public MediaWindowTest {
protected:
    void SetUp() override
    {
        MediaWindowTest::SetUp();
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/frames-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern.data()));
        dir_ = pattern;
    }
    void TearDown() override
    {
        player_.Close();
        if (other_ != nullptr)
            DestroyWindow(other_);
        std::filesystem::remove_all(dir_);
        MediaWindowTest::TearDown();
    }

    // Two seconds at 25 pictures a second, blue, with a tone; and a tone alone.
    std::string MakeClip()
    {
        const std::string path = dir_ + "/clip.avi";
        EXPECT_TRUE(
            RunCommand("ffmpeg -nostdin -y -f lavfi -i color=c=0x2040E0:s=160x120:r=25:d=2 -f lavfi -i "
                       "sine=frequency=440:sample_rate=44100:duration=2 -c:v mjpeg -q:v 2 -c:a pcm_s16le '" +
                       path + "'"));
        return path;
    }
    std::string MakeTone()
    {
        const std::string path = dir_ + "/tone.wav";
        EXPECT_TRUE(RunCommand("ffmpeg -nostdin -y -f lavfi -i sine=frequency=440:duration=1 '" + path + "'"));
        return path;
    }

    LONGLONG Position()
    {
        LONGLONG position = -1;
        EXPECT_EQ(S_OK, player_.GetCurrentPosition(&position));
        return position;
    }

    // The centre pixel of a window, as RGB.
    std::string CentrePixel(HWND window)
    {
        const std::string out = dir_ + "/grab.rgb";
        const char* display = std::getenv("DISPLAY");
        EXPECT_TRUE(RunCommand("ffmpeg -nostdin -y -f x11grab -draw_mouse 0 -window_id " +
                               std::to_string(GetNativeWindowHandle(window)) + " -i " + (display ? display : ":0") +
                               " -frames:v 1 -vf crop=1:1:100:75 -f rawvideo -pix_fmt rgb24 '" + out + "'"));
        std::ifstream in(out, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string dir_;
    PreviewPlayer player_;
    HWND other_ = nullptr;
};

TEST_F(PreviewFramesTest, StepsOnePictureOfAPausedClip)
{
    ASSERT_EQ(S_OK, player_.Open(MakeClip().c_str(), GetNativeWindowHandle(child_)));
    EXPECT_EQ(0, Position());
    ASSERT_EQ(S_OK, player_.StepFrame());
    EXPECT_NEAR(kSecond / 25, Position(), kSecond / 100);
    ASSERT_EQ(S_OK, player_.StepFrame());
    EXPECT_NEAR(2 * kSecond / 25, Position(), kSecond / 100);
    // A running clip is not stepped.
    ASSERT_EQ(S_OK, player_.Run());
    ASSERT_TRUE(PumpUntil([&] { return Position() > kSecond / 5; }, 30000));
    EXPECT_EQ(E_UNEXPECTED, player_.StepFrame());
}

TEST_F(PreviewFramesTest, MovesThePictureIntoAnotherWindow)
{
    other_ = CreateWindow("MediaTestFrame", "", WS_POPUP | WS_VISIBLE, 320, 40, 200, 150, nullptr, nullptr, nullptr,
                          nullptr);
    ASSERT_NE(nullptr, other_);
    UpdateWindow(other_);
    PumpFor(100);
    ASSERT_EQ(S_OK, player_.Open(MakeClip().c_str(), GetNativeWindowHandle(child_)));
    ASSERT_EQ(S_OK, player_.SetVideoWindow(GetNativeWindowHandle(other_)));
    ASSERT_EQ(S_OK, player_.SetWindowPosition(0, 0, 200, 150));
    ASSERT_EQ(S_OK, player_.Run());
    ASSERT_TRUE(PumpUntil([&] { return Position() > kSecond / 5; }, 30000));
    ASSERT_EQ(S_OK, player_.Pause());
    const std::string pixel = CentrePixel(other_);
    ASSERT_EQ(3u, pixel.size());
    EXPECT_NEAR(0x20, static_cast<unsigned char>(pixel[0]), 16);
    EXPECT_NEAR(0x40, static_cast<unsigned char>(pixel[1]), 16);
    EXPECT_NEAR(0xE0, static_cast<unsigned char>(pixel[2]), 16);
}

TEST_F(PreviewFramesTest, ASoundFileHasNoPictureToMoveOrStep)
{
    EXPECT_EQ(E_UNEXPECTED, player_.StepFrame());
    ASSERT_EQ(S_OK, player_.Open(MakeTone().c_str(), GetNativeWindowHandle(child_)));
    EXPECT_EQ(E_NOINTERFACE, player_.StepFrame());
    EXPECT_EQ(E_NOINTERFACE, player_.SetVideoWindow(GetNativeWindowHandle(child_)));
}

}  // namespace
