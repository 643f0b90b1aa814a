// The wave view: marking a range with the mouse, its painted look, and playing the range on the wave device.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "audio/window_layer/wave_view.h"
#include "imaging/raster_image.h"
#include "kernel/path_map.h"
#include "media/wave_out_recording.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_data.h"
#include "tests/support/window/ui_fixture.h"

namespace {

constexpr int kWidth = 400, kHeight = 150, kRate = 8000, kSeconds = 2;

// A shown frame holding a wave view over its whole client area, with a two-second test wave loaded.
class WaveViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame_.CreateEx(0, AfxRegisterWndClass(0), "wave view test", WS_POPUP | WS_VISIBLE, 60, 60, kWidth,
                                    kHeight, nullptr, nullptr));
        ASSERT_TRUE(view_.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight,
                                   frame_.m_hWnd, nullptr));
        PumpFor(50);
    }
    void TearDown() override
    {
        view_.Stop();
        view_.DestroyWindow();
        frame_.DestroyWindow();
        waveOutUseDevice(WaveOutDeviceKind::Automatic);
    }

    // A slow sine under a rising envelope, 16-bit mono.
    void LoadTestWave()
    {
        CWave wave;
        ASSERT_TRUE(wave.Create(kRate * kSeconds, kRate, 16, 1));
        for (int i = 0; i < kRate * kSeconds; i++) {
            double t = static_cast<double>(i) / kRate;
            wave.SetSample(i, static_cast<int>(32000 * (0.2 + 0.35 * t) * std::sin(2 * M_PI * 3 * t)));
        }
        ASSERT_TRUE(wave.Save(folder_.Win("test.wav").c_str()));
        ASSERT_TRUE(view_.LoadFile(folder_.Win("test.wav").c_str()));
    }

    // Left-button drag through synthesized pointer input, from one client x to another, at mid height.
    void Drag(int fromX, int toX)
    {
        Input(fromX, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
        Input(fromX, MOUSEEVENTF_LEFTDOWN);
        Input((fromX + toX) / 2, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
        Input(toX, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
        Input(toX, MOUSEEVENTF_LEFTUP);
    }

    // The time at a client x: the waveform's box runs from x 10 to 389.
    static int TimeAt(int x) { return std::clamp(x - 10, 0, 379) * kSeconds * 1000 / 379; }

    CWnd frame_;
    WaveView view_;
    TempFolder folder_;

    void Input(int x, DWORD flags)
    {
        POINT p{x, kHeight / 2};
        ClientToScreen(view_.m_hWnd, &p);
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = (LONG)(((int64_t)p.x * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN));
        in.mi.dy = (LONG)(((int64_t)p.y * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN));
        in.mi.dwFlags = flags;
        SendInput(1, &in, sizeof(INPUT));
        PumpFor(30);
    }
};

TEST_F(WaveViewTest, DraggingMarksTheRangeAndSelectsItInTheWave)
{
    // Without a wave there is nothing to mark.
    Drag(100, 200);
    EXPECT_EQ(view_.GetRangeStart(), 0);
    EXPECT_EQ(view_.GetRangeEnd(), 0);

    LoadTestWave();
    const struct {
        int fromX, toX;
        int start, end;
    } drags[] = {
        {100, 250, TimeAt(100), TimeAt(250)},  // a new range
        {300, 120, TimeAt(120), TimeAt(300)},  // dragged leftwards
        {300, 350, TimeAt(120), TimeAt(350)},  // the end edge taken and moved
        {120, 60, TimeAt(60), TimeAt(350)},    // the start edge taken and moved
        {60, 380, TimeAt(350), TimeAt(380)},   // the start edge dragged over the end becomes the end
        {200, 480, TimeAt(200), 2000},         // past the window's edge, under the capture
    };
    for (const auto& d : drags) {
        Drag(d.fromX, d.toX);
        EXPECT_EQ(view_.GetRangeStart(), d.start) << d.fromX << " -> " << d.toX;
        EXPECT_EQ(view_.GetRangeEnd(), d.end) << d.fromX << " -> " << d.toX;
        EXPECT_EQ(view_.GetPlayPosition(), d.start);
        EXPECT_NEAR(view_.GetWave().GetPlayedDuration(), (d.end - d.start) / 1000.0, 0.002);
        EXPECT_NEAR(view_.GetWave().GetTotalDuration() - view_.GetWave().GetDuration(), d.start / 1000.0, 0.002);
    }
    EXPECT_EQ(GetCapture(), nullptr);

    // Another window taking the capture mid-drag ends it where the pointer was.
    Input(150, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    Input(150, MOUSEEVENTF_LEFTDOWN);
    Input(220, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    ASSERT_EQ(GetCapture(), view_.m_hWnd);
    frame_.SetCapture();
    PumpFor(30);
    ReleaseCapture();
    Input(260, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    Input(260, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(view_.GetRangeStart(), TimeAt(150));
    EXPECT_EQ(view_.GetRangeEnd(), TimeAt(220));
    EXPECT_NEAR(view_.GetWave().GetPlayedDuration(), (TimeAt(220) - TimeAt(150)) / 1000.0, 0.002);
}

TEST_F(WaveViewTest, PaintedWaveMatchesTheGoldenPicture)
{
    LoadTestWave();
    view_.SetEdgeFade(20);
    Drag(110, 330);
    PumpFor(50);
    Capture shot = CaptureWindow(view_.m_hWnd);
    ASSERT_EQ(shot.width, kWidth);
    CRasterImage picture(kWidth, kHeight, 24, RASTER_TYPE_BMP);
    for (int y = 0; y < kHeight; y++)
        for (int x = 0; x < kWidth; x++) {
            uint32_t p = shot.At(x, y);
            picture.SetPixelColor(x, kHeight - 1 - y, RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF));
        }
    const std::string golden = SourcePath("tests/audio/window/golden/wave_view.bmp");
    if (std::getenv("KESTRIN_REGENERATE_GOLDEN")) {
        std::filesystem::create_directories(std::filesystem::path(golden).parent_path());
        ASSERT_TRUE(picture.SaveFile(ToWindowsPath(golden).c_str(), RASTER_TYPE_BMP));
        return;
    }
    CRasterImage expected;
    ASSERT_TRUE(expected.LoadFile(ToWindowsPath(golden).c_str(), RASTER_TYPE_BMP)) << golden;
    ASSERT_EQ(expected.GetWidth(), kWidth);
    ASSERT_EQ(expected.GetHeight(), kHeight);
    int differing = 0;
    for (int y = 0; y < kHeight; y++)
        for (int x = 0; x < kWidth; x++) {
            RGBQUAD a = expected.GetPixelColor(x, y), b = picture.GetPixelColor(x, y);
            differing += a.rgbRed != b.rgbRed || a.rgbGreen != b.rgbGreen || a.rgbBlue != b.rgbBlue;
        }
    EXPECT_EQ(differing, 0);
}

TEST_F(WaveViewTest, PlaysTheRangeFollowsItAndStops)
{
    // ALSA's default playback device where there is one, else the device layer's silent real-time device.
    LoadTestWave();
    EXPECT_EQ(view_.Play(), 1);  // no range: the whole wave
    EXPECT_TRUE(view_.IsPlaying());
    EXPECT_EQ(view_.Play(), 0);
    ASSERT_TRUE(PumpUntil([&] { return view_.GetPlayPosition() >= 300; }, 5000));
    view_.Pause();
    const int paused = view_.GetPlayPosition();
    PumpFor(300);
    EXPECT_EQ(view_.GetPlayPosition(), paused);
    EXPECT_EQ(view_.Play(), 1);
    ASSERT_TRUE(PumpUntil([&] { return view_.GetPlayPosition() >= paused + 200; }, 5000));
    view_.Stop();
    EXPECT_FALSE(view_.IsPlaying());
    EXPECT_EQ(view_.GetPlayPosition(), 0);
    PumpFor(100);  // the reset's completion changes nothing now

    // A marked range plays to its end and the marker returns to its start.
    Drag(200, 260);
    ASSERT_EQ(view_.Play(), 1);
    ASSERT_TRUE(PumpUntil([&] { return !view_.IsPlaying(); }, 5000));
    EXPECT_EQ(view_.GetPlayPosition(), TimeAt(200));
    EXPECT_EQ(view_.Play(), 1);
    // Loading another file stops the play that reads the old one.
    LoadTestWave();
    EXPECT_FALSE(view_.IsPlaying());
}

TEST_F(WaveViewTest, VolumeRisesFromTheRangeStartAndIsRestoredAfterThePlay)
{
    waveOutUseDevice(WaveOutDeviceKind::Silent);
    ASSERT_EQ(waveOutSetVolume(nullptr, 0x80008000), MMSYSERR_NOERROR);
    LoadTestWave();
    view_.SetEdgeFade(40);
    Drag(100, 300);  // about 1 s: the volume rises over the first 0.4 s and falls over the last
    ASSERT_EQ(view_.Play(), 1);
    DWORD volume = 1;
    waveOutGetVolume(nullptr, &volume);
    EXPECT_EQ(volume, 0u);
    ASSERT_TRUE(PumpUntil([&] { return view_.GetPlayPosition() >= TimeAt(100) + 450; }, 5000));
    waveOutGetVolume(nullptr, &volume);
    EXPECT_EQ(volume, 0xFFFFFFFFu);
    ASSERT_TRUE(PumpUntil([&] { return !view_.IsPlaying(); }, 5000));
    waveOutGetVolume(nullptr, &volume);
    EXPECT_EQ(volume, 0x80008000u);
    waveOutSetVolume(nullptr, 0xFFFFFFFF);
}

TEST_F(WaveViewTest, QueuesExactlyTheRangesBytes)
{
    waveOutUseDevice(WaveOutDeviceKind::Recorder);
    waveOutClearRecording();
    LoadTestWave();
    Drag(150, 250);
    ASSERT_EQ(view_.Play(), 1);
    ASSERT_TRUE(PumpUntil([&] { return !view_.IsPlaying(); }, 5000));
    CWave& wave = view_.GetWave();
    EXPECT_NEAR(wave.GetData() - wave.GetBaseData(), TimeAt(150) * kRate / 1000 * 2, 2);
    std::vector<BYTE> expected(wave.GetData(), wave.GetData() + wave.GetPlayedLength());
    EXPECT_NEAR(static_cast<double>(expected.size()), (TimeAt(250) - TimeAt(150)) * kRate / 1000 * 2, 4);
    EXPECT_EQ(waveOutRecordedBytes(), expected);
}

TEST_F(WaveViewTest, SavedRangeOfAStereoWaveKeepsItsChannels)
{
    // 16-bit stereo at a rate whose byte positions fall between frames: the left channel positive and counting
    // frames, the right negative.
    constexpr int kStereoRate = 11025;
    CWave source;
    ASSERT_TRUE(source.Create(kStereoRate * kSeconds * 2, kStereoRate, 16, 2));
    for (int frame = 0; frame < kStereoRate * kSeconds; frame++) {
        source.SetSample(2 * frame, 1 + frame);
        source.SetSample(2 * frame + 1, -1 - frame % 1000);
    }
    ASSERT_TRUE(source.Save(folder_.Win("stereo.wav").c_str()));
    ASSERT_TRUE(view_.LoadFile(folder_.Win("stereo.wav").c_str()));
    for (auto [fromX, toX] : {std::pair{100, 250}, {133, 301}, {57, 199}, {211, 360}}) {
        Drag(fromX, toX);
        ASSERT_TRUE(view_.SaveFile(folder_.Win("range.wav").c_str()));
        std::ifstream in(folder_.Linux("range.wav"), std::ios::binary);
        std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
        ASSERT_GT(bytes.size(), 44u);
        size_t length = bytes[40] | bytes[41] << 8 | bytes[42] << 16 | (size_t)bytes[43] << 24;
        ASSERT_EQ(length, bytes.size() - 44);
        EXPECT_EQ(length % 4, 0u) << "a part of a frame saved, drag " << fromX << " -> " << toX;
        auto value = [&](size_t at) { return (int16_t)(bytes[44 + at] | bytes[45 + at] << 8); };
        int first = value(0);
        EXPECT_NEAR(first, TimeAt(fromX) * kStereoRate / 1000, 2) << fromX << " -> " << toX;
        for (size_t at = 0; at + 4 <= length; at += 4)
            if (value(at) <= 0 || value(at + 2) >= 0 || value(at) != first + (int)(at / 4)) {
                ADD_FAILURE() << "channels parted at byte " << at << ", drag " << fromX << " -> " << toX;
                break;
            }
    }
}

}  // namespace
