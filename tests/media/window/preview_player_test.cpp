// The preview player on small files made by ffmpeg: positions, seeking, the end event through the window,
// the picture in the child window, audio-only files and files that cannot be played.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "media/preview_player.h"
#include "media_window_fixture.h"
#include "ui/native_window.h"

namespace {

constexpr UINT WM_GRAPHNOTIFY = WM_USER + 13;
constexpr LONGLONG kSecond = 10000000;               // in 100 ns units
constexpr BYTE kRed = 48, kGreen = 192, kBlue = 96;  // the clip's picture, a flat colour

bool RunCommand(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

class PreviewPlayerTest : public MediaWindowTest {
protected:
    void SetUp() override
    {
        MediaWindowTest::SetUp();
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/preview-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern.data()));
        dir_ = pattern;
    }
    void TearDown() override
    {
        player_.Close();
        std::filesystem::remove_all(dir_);
        MediaWindowTest::TearDown();
    }

    // Two seconds of a flat 160 x 120 picture with a tone.
    std::string MakeClip()
    {
        const std::string path = dir_ + "/clip.avi";
        char colour[16];
        std::snprintf(colour, sizeof colour, "0x%02X%02X%02X", kRed, kGreen, kBlue);
        EXPECT_TRUE(RunCommand("ffmpeg -nostdin -y -f lavfi -i color=c=" + std::string(colour) +
                               ":s=160x120:r=25:d=2 -f lavfi -i sine=frequency=440:sample_rate=44100:duration=2"
                               " -c:v mjpeg -q:v 2 -c:a pcm_s16le '" +
                               path + "'"));
        return path;
    }
    std::string MakeTone()
    {
        const std::string path = dir_ + "/tone.wav";
        EXPECT_TRUE(RunCommand("ffmpeg -nostdin -y -f lavfi -i sine=frequency=440:sample_rate=22050:duration=1 '" +
                               path + "'"));
        return path;
    }

    LONGLONG Position()
    {
        LONGLONG position = -1;
        EXPECT_EQ(S_OK, player_.GetCurrentPosition(&position));
        return position;
    }

    // Events taken whenever the notify message reaches the child window, as its window procedure would.
    bool PumpUntilEvent(long wanted)
    {
        return PumpUntil(
            [&] {
                for (const ReceivedMessage& m : ChildMessages()) {
                    if (m.message != WM_GRAPHNOTIFY)
                        continue;
                    EXPECT_EQ(77, m.lParam);
                    long code;
                    LONG_PTR p1, p2;
                    while (player_.GetEvent(&code, &p1, &p2) == S_OK)
                        events_.push_back(code);
                }
                ChildMessages().clear();
                return std::find(events_.begin(), events_.end(), wanted) != events_.end();
            },
            30000);
    }

    // One captured frame of the child window, as rows of RGB bytes.
    std::vector<BYTE> CaptureChild()
    {
        const std::string out = dir_ + "/grab.rgb";
        const char* display = std::getenv("DISPLAY");
        EXPECT_TRUE(RunCommand("ffmpeg -nostdin -y -f x11grab -draw_mouse 0 -window_id " +
                               std::to_string(GetNativeWindowHandle(child_)) + " -i " + (display ? display : ":0") +
                               " -frames:v 1 -f rawvideo -pix_fmt rgb24 '" + out + "'"));
        std::ifstream in(out, std::ios::binary);
        return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
    }

    static bool IsClipColour(const std::vector<BYTE>& rgb, int x, int y)
    {
        const size_t at = (static_cast<size_t>(y) * 200 + x) * 3;
        if (rgb.size() < at + 3)
            return false;
        const BYTE want[3] = {kRed, kGreen, kBlue};
        for (int c = 0; c < 3; ++c)
            if (std::abs(rgb[at + c] - want[c]) >= 16)
                return false;
        return true;
    }

    std::string dir_;
    PreviewPlayer player_;
    std::vector<long> events_;
};

TEST_F(PreviewPlayerTest, PlaysAClipIntoTheChildWindowSeeksAndReportsItsEnd)
{
    const NativeWindowId window = GetNativeWindowHandle(child_);
    ASSERT_NE(0u, window);
    EXPECT_EQ(0u, GetNativeWindowHandle(nullptr));
    ASSERT_EQ(S_OK, player_.Open(MakeClip().c_str(), window));
    ASSERT_EQ(S_OK, player_.SetNotifyWindow(child_, WM_GRAPHNOTIFY, 77));
    EXPECT_TRUE(player_.HasVideo());
    long width = 0, height = 0;
    EXPECT_EQ(S_OK, player_.GetVideoSize(&width, &height));
    EXPECT_EQ(160, width);
    EXPECT_EQ(120, height);
    LONGLONG duration = 0;
    EXPECT_EQ(S_OK, player_.GetDuration(&duration));
    EXPECT_NEAR(2 * kSecond, duration, kSecond / 10);
    EXPECT_EQ(0, Position());

    // Scaled to the whole window: the clip's colour reaches the window's corner.
    ASSERT_EQ(S_OK, player_.SetWindowPosition(0, 0, 200, 150));
    ASSERT_EQ(S_OK, player_.Run());
    ASSERT_TRUE(PumpUntil([&] { return Position() > kSecond / 5; }, 30000));
    ASSERT_EQ(S_OK, player_.Pause());  // the clip must not end while it is captured
    const std::vector<BYTE> frame = CaptureChild();
    ASSERT_EQ(200u * 150 * 3, frame.size());
    EXPECT_TRUE(IsClipColour(frame, 100, 75));
    EXPECT_TRUE(IsClipColour(frame, 4, 4));

    ASSERT_EQ(S_OK, player_.SetCurrentPosition(kSecond + kSecond / 2));
    EXPECT_NEAR(kSecond + kSecond / 2, Position(), kSecond / 25);  // within a frame
    ASSERT_EQ(S_OK, player_.Run());
    EXPECT_TRUE(PumpUntilEvent(EC_COMPLETE));
    EXPECT_NEAR(2 * kSecond, Position(), kSecond / 10);
}

TEST_F(PreviewPlayerTest, PlaysAnAudioFileWithoutPicture)
{
    ASSERT_EQ(S_OK, player_.Open(MakeTone().c_str(), GetNativeWindowHandle(child_)));
    ASSERT_EQ(S_OK, player_.SetNotifyWindow(child_, WM_GRAPHNOTIFY, 77));
    EXPECT_FALSE(player_.HasVideo());
    long width, height;
    EXPECT_EQ(E_NOINTERFACE, player_.GetVideoSize(&width, &height));
    LONGLONG duration = 0;
    EXPECT_EQ(S_OK, player_.GetDuration(&duration));
    EXPECT_NEAR(kSecond, duration, kSecond / 100);

    long volume = 1;
    EXPECT_EQ(S_OK, player_.GetVolume(&volume));
    EXPECT_EQ(0, volume);
    EXPECT_EQ(S_OK, player_.PutVolume(-2000));
    EXPECT_EQ(S_OK, player_.GetVolume(&volume));
    EXPECT_EQ(-2000, volume);
    EXPECT_EQ(E_INVALIDARG, player_.PutVolume(100));
    EXPECT_EQ(E_INVALIDARG, player_.PutRate(0.0));
    ASSERT_EQ(S_OK, player_.PutRate(2.0));
    double rate = 0;
    EXPECT_EQ(S_OK, player_.GetRate(&rate));
    EXPECT_EQ(2.0, rate);

    ASSERT_EQ(S_OK, player_.Run());
    ASSERT_TRUE(PumpUntil([&] { return Position() > 0; }, 30000));
    EXPECT_TRUE(PumpUntilEvent(EC_COMPLETE));
}

TEST_F(PreviewPlayerTest, RefusesFilesItCannotPlay)
{
    const std::string broken = dir_ + "/broken.avi";
    std::ofstream(broken) << "this is no media file, only some text\n";
    EXPECT_EQ(VFW_E_UNSUPPORTED_STREAM, player_.Open(broken.c_str(), GetNativeWindowHandle(child_)));
    EXPECT_FALSE(player_.IsOpen());
    EXPECT_EQ(HRESULT_FILE_NOT_FOUND, player_.Open((dir_ + "/missing.avi").c_str(), 0));
    EXPECT_FALSE(player_.IsOpen());
    EXPECT_EQ(E_UNEXPECTED, player_.Run());
    LONGLONG position;
    EXPECT_EQ(E_UNEXPECTED, player_.GetCurrentPosition(&position));
}

}  // namespace
