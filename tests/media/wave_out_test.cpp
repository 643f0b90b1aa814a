// Wave output through the recorder and the silent device: completions, bytes, volume, pause and result codes.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

#include "media/media_window_post.h"
#include "media/wave_out.h"
#include "media/wave_out_recording.h"

namespace {

struct Posted {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::mutex g_mutex;
std::condition_variable g_posted;
std::vector<Posted> g_posts;

BOOL RecordPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_posts.push_back({window, message, wParam, lParam});
    g_posted.notify_all();
    return TRUE;
}

HWND const kWindow = reinterpret_cast<HWND>(0x1234);

WAVEFORMATEX Format(WORD channels, WORD bits, DWORD rate = 8000)
{
    const WORD align = static_cast<WORD>(channels * bits / 8);
    return {WAVE_FORMAT_PCM, channels, rate, rate * align, align, bits, 0};
}

class WaveOutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMediaPostFunction(RecordPost);
        waveOutUseDevice(WaveOutDeviceKind::Recorder);
        waveOutClearRecording();
        std::lock_guard<std::mutex> lock(g_mutex);
        g_posts.clear();
    }
    void TearDown() override
    {
        waveOutSetVolume(nullptr, 0xFFFFFFFF);
        waveOutUseDevice(WaveOutDeviceKind::Automatic);
        SetMediaPostFunction(nullptr);
    }

    HWAVEOUT Open(const WAVEFORMATEX& format)
    {
        HWAVEOUT handle = nullptr;
        EXPECT_EQ(MMSYSERR_NOERROR,
                  waveOutOpen(&handle, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(kWindow), 0, CALLBACK_WINDOW));
        return handle;
    }

    // The messages of one kind posted so far, waiting until there are count of them.
    std::vector<Posted> WaitFor(UINT message, size_t count)
    {
        std::unique_lock<std::mutex> lock(g_mutex);
        std::vector<Posted> found;
        g_posted.wait_for(lock, std::chrono::seconds(20), [&] {
            found.clear();
            for (const Posted& p : g_posts)
                if (p.message == message)
                    found.push_back(p);
            return found.size() >= count;
        });
        return found;
    }
};

TEST_F(WaveOutTest, BuffersPlayInOrderAndComeBackAsDoneToTheWindow)
{
    HWAVEOUT handle = Open(Format(1, 16));
    std::vector<char> first(400, 0x11), second(160, 0x22);
    WAVEHDR headers[2] = {};
    headers[0].lpData = first.data();
    headers[0].dwBufferLength = static_cast<DWORD>(first.size());
    headers[1].lpData = second.data();
    headers[1].dwBufferLength = static_cast<DWORD>(second.size());
    for (WAVEHDR& h : headers) {
        ASSERT_EQ(MMSYSERR_NOERROR, waveOutPrepareHeader(handle, &h, sizeof(WAVEHDR)));
        ASSERT_EQ(MMSYSERR_NOERROR, waveOutWrite(handle, &h, sizeof(WAVEHDR)));
    }

    const std::vector<Posted> done = WaitFor(MM_WOM_DONE, 2);
    ASSERT_EQ(2u, done.size());
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(kWindow, done[i].window);
        EXPECT_EQ(reinterpret_cast<WPARAM>(handle), done[i].wParam);
        EXPECT_EQ(reinterpret_cast<LPARAM>(&headers[i]), done[i].lParam);
        EXPECT_EQ(static_cast<DWORD>(WHDR_DONE | WHDR_PREPARED), headers[i].dwFlags);
        EXPECT_EQ(MMSYSERR_NOERROR, waveOutUnprepareHeader(handle, &headers[i], sizeof(WAVEHDR)));
    }
    std::vector<BYTE> expected(first.begin(), first.end());
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(expected, waveOutRecordedBytes());

    ASSERT_EQ(MMSYSERR_NOERROR, waveOutClose(handle));
    WaitFor(MM_WOM_CLOSE, 1);
    std::lock_guard<std::mutex> lock(g_mutex);
    ASSERT_EQ(4u, g_posts.size());
    EXPECT_EQ(static_cast<UINT>(MM_WOM_OPEN), g_posts.front().message);
    EXPECT_EQ(static_cast<UINT>(MM_WOM_CLOSE), g_posts.back().message);
}

TEST_F(WaveOutTest, VolumeRoundTripsAndScalesEachChannel)
{
    struct Case {
        WORD bits;
        std::vector<BYTE> in;
        std::vector<BYTE> out;
    };
    // Left at a quarter (0x4000), right at half (0x8000) of full scale.
    const Case cases[] = {
        {16, {0x00, 0x40, 0x00, 0x40, 0x00, 0xC0, 0x00, 0xC0}, {0x00, 0x10, 0x00, 0x20, 0x00, 0xF0, 0x00, 0xE0}},
        {8, {228, 228, 28, 28}, {153, 178, 103, 78}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        waveOutClearRecording();
        HWAVEOUT handle = Open(Format(2, c.bits));
        ASSERT_EQ(MMSYSERR_NOERROR, waveOutSetVolume(handle, 0x80004000));
        DWORD volume = 0;
        ASSERT_EQ(MMSYSERR_NOERROR, waveOutGetVolume(handle, &volume));
        EXPECT_EQ(0x80004000u, volume);

        std::vector<BYTE> data = c.in;
        WAVEHDR header{};
        header.lpData = reinterpret_cast<LPSTR>(data.data());
        header.dwBufferLength = static_cast<DWORD>(data.size());
        ASSERT_EQ(MMSYSERR_NOERROR, waveOutPrepareHeader(handle, &header, sizeof(header)));
        ASSERT_EQ(MMSYSERR_NOERROR, waveOutWrite(handle, &header, sizeof(header)));
        WaitFor(MM_WOM_DONE, c.bits == 16 ? 1 : 2);
        EXPECT_EQ(c.out, waveOutRecordedBytes());
        EXPECT_EQ(c.in, data);  // the program's buffer is left as it was
        EXPECT_EQ(MMSYSERR_NOERROR, waveOutUnprepareHeader(handle, &header, sizeof(header)));
        EXPECT_EQ(MMSYSERR_NOERROR, waveOutClose(handle));
    }
    // The volume is the program's: it outlives the handle and is read by the device id.
    DWORD volume = 0;
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutGetVolume(reinterpret_cast<HWAVEOUT>(WAVE_MAPPER), &volume));
    EXPECT_EQ(0x80004000u, volume);
}

TEST_F(WaveOutTest, PausedBuffersWaitAndResetHandsThemBack)
{
    HWAVEOUT handle = Open(Format(1, 8));
    std::vector<char> data(80, 0x55);
    WAVEHDR held{}, later{};
    held.lpData = later.lpData = data.data();
    held.dwBufferLength = later.dwBufferLength = static_cast<DWORD>(data.size());
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutPause(handle));
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutPrepareHeader(handle, &held, sizeof(held)));
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutWrite(handle, &held, sizeof(held)));
    EXPECT_EQ(WAVERR_STILLPLAYING, waveOutWrite(handle, &held, sizeof(held)));
    EXPECT_EQ(WAVERR_STILLPLAYING, waveOutUnprepareHeader(handle, &held, sizeof(held)));
    EXPECT_EQ(WAVERR_STILLPLAYING, waveOutClose(handle));

    ASSERT_EQ(MMSYSERR_NOERROR, waveOutReset(handle));
    EXPECT_EQ(static_cast<DWORD>(WHDR_DONE | WHDR_PREPARED), held.dwFlags);
    EXPECT_EQ(1u, WaitFor(MM_WOM_DONE, 1).size());
    EXPECT_TRUE(waveOutRecordedBytes().empty());

    ASSERT_EQ(MMSYSERR_NOERROR, waveOutPrepareHeader(handle, &later, sizeof(later)));
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutWrite(handle, &later, sizeof(later)));
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutRestart(handle));
    EXPECT_EQ(2u, WaitFor(MM_WOM_DONE, 2).size());
    EXPECT_EQ(data.size(), waveOutRecordedBytes().size());
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutClose(handle));
}

TEST_F(WaveOutTest, AnswersWithTheResultCodes)
{
    const WAVEFORMATEX pcm = Format(2, 16, 44100);
    HWAVEOUT handle = nullptr;
    struct Case {
        const char* what;
        WAVEFORMATEX format;
        UINT device;
        DWORD flags;
        MMRESULT result;
    };
    WAVEFORMATEX compressed = pcm, wide = Format(2, 24), badAlign = pcm, many = Format(6, 16);
    compressed.wFormatTag = 2;
    badAlign.nBlockAlign = 3;
    const Case cases[] = {
        {"query", pcm, WAVE_MAPPER, WAVE_FORMAT_QUERY, MMSYSERR_NOERROR},
        {"query by id", pcm, 0, WAVE_FORMAT_QUERY, MMSYSERR_NOERROR},
        {"compressed", compressed, WAVE_MAPPER, WAVE_FORMAT_QUERY, WAVERR_BADFORMAT},
        {"24 bits", wide, WAVE_MAPPER, WAVE_FORMAT_QUERY, WAVERR_BADFORMAT},
        {"block align", badAlign, WAVE_MAPPER, WAVE_FORMAT_QUERY, WAVERR_BADFORMAT},
        {"six channels", many, WAVE_MAPPER, WAVE_FORMAT_QUERY, WAVERR_BADFORMAT},
        {"second device", pcm, 1, WAVE_FORMAT_QUERY, MMSYSERR_BADDEVICEID},
        {"function callback", pcm, WAVE_MAPPER, WAVE_FORMAT_QUERY | 0x00030000, MMSYSERR_INVALFLAG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.result, waveOutOpen(nullptr, c.device, &c.format, 0, 0, c.flags));
    }
    EXPECT_EQ(MMSYSERR_INVALPARAM, waveOutOpen(&handle, WAVE_MAPPER, nullptr, 0, 0, 0));
    EXPECT_EQ(MMSYSERR_INVALPARAM, waveOutOpen(nullptr, WAVE_MAPPER, &pcm, 0, 0, 0));

    ASSERT_EQ(MMSYSERR_NOERROR, waveOutOpen(&handle, WAVE_MAPPER, &pcm, 0, 0, CALLBACK_NULL));
    char byte = 0;
    WAVEHDR header{};
    header.lpData = &byte;
    header.dwBufferLength = 1;
    EXPECT_EQ(WAVERR_UNPREPARED, waveOutWrite(handle, &header, sizeof(header)));
    EXPECT_EQ(MMSYSERR_INVALPARAM, waveOutPrepareHeader(handle, &header, 4));
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutClose(handle));
    const HWAVEOUT closed = handle;
    EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutClose(closed));
    EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutPause(closed));
    EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutPrepareHeader(closed, &header, sizeof(header)));
    std::lock_guard<std::mutex> lock(g_mutex);
    EXPECT_TRUE(g_posts.empty());  // no window callback, nothing posted
}

TEST_F(WaveOutTest, SilentDeviceTakesAudioAtItsRealTimePace)
{
    waveOutUseDevice(WaveOutDeviceKind::Silent);
    HWAVEOUT handle = Open(Format(1, 16));
    std::vector<char> tenth(1600);  // 100 ms at 8000 samples a second
    WAVEHDR header{};
    header.lpData = tenth.data();
    header.dwBufferLength = static_cast<DWORD>(tenth.size());
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutPrepareHeader(handle, &header, sizeof(header)));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutWrite(handle, &header, sizeof(header)));
    ASSERT_EQ(1u, WaitFor(MM_WOM_DONE, 1).size());
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_TRUE(waveOutRecordedBytes().empty());
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutUnprepareHeader(handle, &header, sizeof(header)));
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutClose(handle));
}

TEST_F(WaveOutTest, AutomaticDeviceOpensWithOrWithoutASoundCard)
{
    waveOutUseDevice(WaveOutDeviceKind::Automatic);
    HWAVEOUT handle = Open(Format(1, 8));
    std::vector<char> silence(400, static_cast<char>(128));  // 50 ms
    WAVEHDR header{};
    header.lpData = silence.data();
    header.dwBufferLength = static_cast<DWORD>(silence.size());
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutPrepareHeader(handle, &header, sizeof(header)));
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutWrite(handle, &header, sizeof(header)));
    EXPECT_EQ(1u, WaitFor(MM_WOM_DONE, 1).size());
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutUnprepareHeader(handle, &header, sizeof(header)));
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutClose(handle));
}

}  // namespace
