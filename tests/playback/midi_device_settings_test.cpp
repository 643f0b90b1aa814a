// kestrin.ini [device]: one character per number, numbers above 9 included, and the output handle.
#include <gtest/gtest.h>

#include <cstdlib>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "kernel/prompt_service.h"
#include "media/midi_recording.h"
#include "services/app_folder.h"
#include "song/midi_device.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

class DeviceSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = temp.Linux();
        std::string windowsPath = (folder / "kestrin.exe").string();
        std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
        SetAppFolder(windowsPath.c_str());
    }

    // The shipped file, as a fresh installation has it (no user's copy yet).
    void WriteIni(const std::string& text)
    {
        std::ofstream(folder / "kestrin.ini") << text;
        fs::remove(UserIni());
    }
    // The user's copy, where the settings are written.
    static fs::path UserIni() { return fs::path(std::getenv("XDG_CONFIG_HOME")) / "kestrin" / "kestrin.ini"; }
    std::string ReadIni()
    {
        std::ifstream in(UserIni());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    TempFolder temp;
    fs::path folder;
};

}  // namespace

TEST_F(DeviceSettings, MissingFileGivesZeroAndZero)
{
    int8_t in = 5, out = 5;
    ReadMidiDeviceSettings(in, out);
    EXPECT_EQ(0, in);
    EXPECT_EQ(0, out);
}

TEST_F(DeviceSettings, OneCharacterValues)
{
    const struct {
        const char* value;
        int number;
    } cases[] = {{"0", 0}, {"3", 3}, {"9", 9}, {":", 10}, {"<", 12}, {"37", 3}, {"/", -1}};
    for (const auto& c : cases) {
        WriteIni(std::string("[device]\r\nin=") + c.value + "\r\nout=" + c.value + "\r\n");
        int8_t in = 0, out = 0;
        ReadMidiDeviceSettings(in, out);
        EXPECT_EQ(c.number, in) << c.value;
        EXPECT_EQ(c.number, out) << c.value;
    }
}

TEST_F(DeviceSettings, WritesOneCharacterAndReadsItBack)
{
    WriteMidiDeviceSettings(2, 12);
    const std::string text = ReadIni();
    EXPECT_NE(std::string::npos, text.find("in=2")) << text;
    EXPECT_NE(std::string::npos, text.find("out=<")) << text;
    int8_t in = 0, out = 0;
    ReadMidiDeviceSettings(in, out);
    EXPECT_EQ(2, in);
    EXPECT_EQ(12, out);
}

TEST(MidiDeviceOutput, SendsThroughTheOpenHandleOnly)
{
    midiOutUseRecordingDevice(true);
    midiOutClearRecording();
    SendMidiBytes(0x90, 60, 100);  // nothing open: dropped
    EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_BADDEVICEID), OpenMidiOutHandle(3));
    SendMidiBytes(0x90, 60, 100);
    ASSERT_EQ(static_cast<MMRESULT>(MMSYSERR_NOERROR), OpenMidiOutHandle(0));
    ASSERT_EQ(static_cast<MMRESULT>(MMSYSERR_NOERROR), OpenMidiOutHandle(0)) << "reopening closes first";
    PlayPreviewNote(2, 40, 67, 90);
    EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_NOERROR), CloseMidiDevices());
    SendMidiBytes(0x80, 67, 0);
    std::vector<RecordedMidiMessage> sent = midiOutRecordedMessages();
    ASSERT_EQ(2u, sent.size());
    EXPECT_EQ(0x28C2u, sent[0].message);
    EXPECT_EQ(0x5A4392u, sent[1].message);
    midiOutUseRecordingDevice(false);
}

TEST(MidiDeviceNames, OneRowPerDeviceInDeviceOrder)
{
    std::vector<CString> names = MidiOutDeviceNames();
    ASSERT_EQ(midiOutGetNumDevs(), names.size());
    EXPECT_STREQ("Kestrin Software Synthesizer", names[0]);
    midiOutUseRecordingDevice(true);
    names = MidiOutDeviceNames();
    midiOutUseRecordingDevice(false);
    ASSERT_EQ(1u, names.size());
    EXPECT_STREQ("Kestrin Recorder", names[0]);
}

TEST_F(DeviceSettings, OpenMidiOutTellsABusyDeviceAndStoresTheNumbersAnyway)
{
    midiOutUseRecordingDevice(true);
    RecordingPromptService& prompts = GetRecordingPromptService();
    prompts.Clear();
    HMIDIOUT other = nullptr;
    ASSERT_EQ(static_cast<MMRESULT>(MMSYSERR_NOERROR), midiOutOpen(&other, 0, 0, 0, CALLBACK_NULL));
    OpenMidiOut(nullptr, 4, 0);  // busy
    ASSERT_EQ(1u, prompts.Messages().size());
    EXPECT_EQ("The specified resource is already allocated.", prompts.Messages()[0].text);
    int8_t in = 0, out = 0;
    ReadMidiDeviceSettings(in, out);
    EXPECT_EQ(4, in);
    EXPECT_EQ(0, out);

    OpenMidiOut(nullptr, 1, 5);  // no such device: silent
    EXPECT_EQ(1u, prompts.Messages().size());
    midiOutClose(other);
    OpenMidiFromSettings(nullptr);  // reopens device 5 from the file: still silent
    EXPECT_EQ(1u, prompts.Messages().size());
    WriteIni("[device]\r\nin=0\r\nout=0\r\n");
    OpenMidiFromSettings(nullptr);
    midiOutClearRecording();
    SendMidiBytes(0x90, 60, 1);
    EXPECT_EQ(1u, midiOutRecordedMessages().size()) << "opened from the settings";
    CloseMidiDevices();
    midiOutUseRecordingDevice(false);
}
