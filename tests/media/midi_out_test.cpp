// MIDI output devices: the recorder's device table and handle rules, and the software synthesizer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

#include "media/midi_recording.h"
#include "media/mmsystem.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_folder.h"

namespace {

class RecorderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        midiOutUseRecordingDevice(true);
        midiOutClearRecording();
    }
    void TearDown() override { midiOutUseRecordingDevice(false); }
};

std::vector<DWORD> Messages()
{
    std::vector<DWORD> out;
    for (const RecordedMidiMessage& m : midiOutRecordedMessages())
        out.push_back(m.message);
    return out;
}

}  // namespace

TEST_F(RecorderTest, ListsOneDeviceWithItsCaps)
{
    EXPECT_EQ(1u, midiOutGetNumDevs());
    MIDIOUTCAPSA caps;
    std::memset(&caps, 0x55, sizeof caps);
    EXPECT_EQ(MMSYSERR_NOERROR, midiOutGetDevCapsA(0, &caps, sizeof caps));
    EXPECT_STREQ("Kestrin Recorder", caps.szPname);
    EXPECT_EQ(0xFFFF, caps.wChannelMask);
    EXPECT_EQ(MMSYSERR_NOERROR, midiOutGetDevCapsA(MIDI_MAPPER, &caps, sizeof caps));
    EXPECT_EQ(MMSYSERR_BADDEVICEID, midiOutGetDevCapsA(1, &caps, sizeof caps));
}

TEST_F(RecorderTest, OpenSendCloseAndHandleErrors)
{
    HMIDIOUT out = nullptr, second = nullptr;
    EXPECT_EQ(MMSYSERR_BADDEVICEID, midiOutOpen(&out, 1, 0, 0, CALLBACK_NULL));
    EXPECT_EQ(nullptr, out);
    ASSERT_EQ(MMSYSERR_NOERROR, midiOutOpen(&out, 0, 0, 0, CALLBACK_NULL));
    EXPECT_EQ(MMSYSERR_ALLOCATED, midiOutOpen(&second, 0, 0, 0, CALLBACK_NULL));

    EXPECT_EQ(MMSYSERR_NOERROR, midiOutShortMsg(out, 0x7F3C90));  // note-on 60, velocity 127
    EXPECT_EQ(MMSYSERR_NOERROR, midiOutShortMsg(out, 0x00403C));  // running status: note-on 60, velocity 64
    EXPECT_EQ(MMSYSERR_NOERROR, midiOutShortMsg(out, 0xAA05C3));  // program change: two bytes kept
    EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_INVALPARAM), midiOutShortMsg(out, 0xF0));
    EXPECT_EQ((std::vector<DWORD>{0x7F3C90, 0x403C90, 0x05C3}), Messages());

    midiOutClearRecording();
    EXPECT_EQ(MMSYSERR_NOERROR, midiOutReset(out));
    std::vector<DWORD> reset = Messages();
    ASSERT_EQ(32u, reset.size());
    EXPECT_EQ(0x40B0u, reset[0]);
    EXPECT_EQ(0x7BBFu, reset[31]);

    EXPECT_EQ(MMSYSERR_NOERROR, midiOutClose(out));
    EXPECT_EQ(MMSYSERR_INVALHANDLE, midiOutShortMsg(out, 0x7F3C90));
    EXPECT_EQ(MMSYSERR_INVALHANDLE, midiOutClose(out));
    EXPECT_EQ(MMSYSERR_INVALHANDLE, midiOutShortMsg(nullptr, 0x7F3C90));
    EXPECT_EQ(MMSYSERR_INVALFLAG, midiOutOpen(&out, 0, 0, 0, 0x00030000));
}

// Where no audio output can be opened (as on a build machine), the synthesizer still opens and takes messages.
TEST(SoftwareSynth, OpensSilentlyWithoutAudioDevice)
{
    TempFolder folder;
    folder.Write("empty_alsa.conf", "\n");
    EnvGuard env;
    env.Set("PULSE_SERVER", "unix:/nonexistent/pulse");
    env.Set("ALSA_CONFIG_PATH", folder.Linux("empty_alsa.conf").c_str());

    ASSERT_GE(midiOutGetNumDevs(), 1u);
    MIDIOUTCAPSA caps{};
    ASSERT_EQ(MMSYSERR_NOERROR, midiOutGetDevCapsA(0, &caps, sizeof caps));
    EXPECT_STREQ("Kestrin Software Synthesizer", caps.szPname);
    EXPECT_EQ(MOD_SWSYNTH, caps.wTechnology);

    HMIDIOUT out = nullptr;
    ASSERT_EQ(MMSYSERR_NOERROR, midiOutOpen(&out, 0, 0, 0, CALLBACK_NULL));
    EXPECT_EQ(MMSYSERR_NOERROR, midiOutShortMsg(out, 0x00C0));
    EXPECT_EQ(MMSYSERR_NOERROR, midiOutShortMsg(out, 0x643C90));
    EXPECT_EQ(MMSYSERR_NOERROR, midiOutShortMsg(out, 0x003C80));
    EXPECT_EQ(MMSYSERR_NOERROR, midiOutReset(out));
    EXPECT_EQ(MMSYSERR_NOERROR, midiOutClose(out));
}

TEST(MidiIn, IdsPastTheListAreBad)
{
    HMIDIIN in = nullptr;
    const UINT count = midiInGetNumDevs();
    EXPECT_EQ(MMSYSERR_BADDEVICEID, midiInOpen(&in, count, 0, 0, CALLBACK_NULL));
    MIDIINCAPSA caps{};
    EXPECT_EQ(MMSYSERR_BADDEVICEID, midiInGetDevCapsA(count, &caps, sizeof caps));
    EXPECT_EQ(MMSYSERR_INVALHANDLE, midiInClose(nullptr));
}
