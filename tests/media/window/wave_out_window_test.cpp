// Wave output completions reach a window as MM_WOM_DONE through the window layer's message queue.
#include "media/wave_out.h"
#include "media/wave_out_recording.h"
#include "media_window_fixture.h"

namespace {

using WaveOutWindow = MediaWindowTest;

TEST_F(WaveOutWindow, SilentDeviceCompletionsArriveAsWindowMessages)
{
    waveOutUseDevice(WaveOutDeviceKind::Silent);
    const WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 22050, 22050 * 4, 4, 16, 0};
    HWAVEOUT handle = nullptr;
    ASSERT_EQ(MMSYSERR_NOERROR,
              waveOutOpen(&handle, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(child_), 0, CALLBACK_WINDOW));
    std::vector<char> audio(22050 * 4 / 20);  // 50 ms
    WAVEHDR header{};
    header.lpData = audio.data();
    header.dwBufferLength = static_cast<DWORD>(audio.size());
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutPrepareHeader(handle, &header, sizeof(header)));
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutWrite(handle, &header, sizeof(header)));

    auto doneCount = [] {
        int n = 0;
        for (const ReceivedMessage& m : ChildMessages())
            n += m.message == MM_WOM_DONE;
        return n;
    };
    ASSERT_TRUE(PumpUntil([&] { return doneCount() == 1; }, 20000));
    EXPECT_TRUE(header.dwFlags & WHDR_DONE);
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutUnprepareHeader(handle, &header, sizeof(header)));
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutClose(handle));
    ASSERT_TRUE(PumpUntil([] { return ChildMessages().back().message == MM_WOM_CLOSE; }, 20000));

    const std::vector<ReceivedMessage>& got = ChildMessages();
    ASSERT_EQ(3u, got.size());
    EXPECT_EQ(static_cast<UINT>(MM_WOM_OPEN), got[0].message);
    EXPECT_EQ(static_cast<UINT>(MM_WOM_DONE), got[1].message);
    EXPECT_EQ(reinterpret_cast<WPARAM>(handle), got[1].wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(&header), got[1].lParam);
    waveOutUseDevice(WaveOutDeviceKind::Automatic);
}

}  // namespace
