// The "Midi driver" dialog: one row per output device, the stored device selected, the selection followed.
#include <gtest/gtest.h>

#include <cstdlib>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "media/midi_recording.h"
#include "media/mmsystem.h"
#include "services/app_folder.h"
#include "services/language_text.h"
#include "scoreview/midi_device_dialog.h"
#include "song/midi_device.h"
#include "tests/support/temp_folder.h"
#include "ui/ui.h"

namespace {

CString RowText(CWnd& dialog, int row)
{
    char text[MAXPNAMELEN + 1] = {};
    dialog.SendDlgItemMessage(CMidiDeviceDialog::kDeviceListId, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
    return CString(text);
}

}  // namespace

TEST(MidiDeviceDialog, ListsEveryDeviceAndSelectsTheStoredOne)
{
    CMidiDeviceDialog dialog(7, 0);
    ASSERT_TRUE(dialog.Create(CMidiDeviceDialog::IDD));
    const UINT count = midiOutGetNumDevs();
    EXPECT_EQ(static_cast<LRESULT>(count), dialog.SendDlgItemMessage(CMidiDeviceDialog::kDeviceListId, LB_GETCOUNT));
    EXPECT_EQ("Kestrin Software Synthesizer", RowText(dialog, 0));
    EXPECT_EQ(0, dialog.SendDlgItemMessage(CMidiDeviceDialog::kDeviceListId, LB_GETCURSEL));
    CString caption;
    dialog.GetWindowText(caption);
    EXPECT_EQ(GetLanguageText("IDS_MIDIDEVICE"), caption);
    dialog.DestroyWindow();
}

TEST(MidiDeviceDialog, AMissingDeviceKeepsTheStoredNumberUntilTheUserChooses)
{
    CMidiDeviceDialog dialog(7, 40);
    ASSERT_TRUE(dialog.Create(CMidiDeviceDialog::IDD));
    EXPECT_EQ(LB_ERR, dialog.SendDlgItemMessage(CMidiDeviceDialog::kDeviceListId, LB_GETCURSEL));
    EXPECT_EQ(40, dialog.m_outDevice);

    CWnd* list = dialog.GetDlgItem(CMidiDeviceDialog::kDeviceListId);
    ASSERT_NE(list, nullptr);
    dialog.SendDlgItemMessage(CMidiDeviceDialog::kDeviceListId, LB_SETCURSEL, 0);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CMidiDeviceDialog::kDeviceListId, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list->GetSafeHwnd()));
    EXPECT_EQ(0, dialog.m_outDevice);
    EXPECT_EQ(7, dialog.m_inDevice);
    dialog.DestroyWindow();
}

namespace {

UINT g_answer;  // button the timer presses in the open device dialog

void CALLBACK PressButton(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = FindWindow(nullptr, GetLanguageText("IDS_MIDIDEVICE"));
    if (dialog == nullptr)
        return;
    KillTimer(nullptr, id);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(g_answer, BN_CLICKED), 0);
}

class DeviceCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = temp.Linux();
        std::string windowsPath = (folder / "kestrin.exe").string();
        std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
        SetAppFolder(windowsPath.c_str());
        midiOutUseRecordingDevice(true);
    }
    void TearDown() override
    {
        CloseMidiDevices();
        midiOutUseRecordingDevice(false);
    }
    std::string Ini()
    {
        std::ifstream in(std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "kestrin" / "kestrin.ini");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    TempFolder temp;
    std::filesystem::path folder;
};

}  // namespace

TEST_F(DeviceCommand, OkReopensTheStoredDeviceAndWritesBothKeys)
{
    g_answer = IDOK;
    SetTimer(nullptr, 0, 20, PressButton);
    ChooseMidiDevice(nullptr);
    EXPECT_NE(std::string::npos, Ini().find("in=0")) << Ini();
    EXPECT_NE(std::string::npos, Ini().find("out=0")) << Ini();
    midiOutClearRecording();
    SendMidiBytes(0x90, 60, 1);
    EXPECT_EQ(1u, midiOutRecordedMessages().size()) << "the output is open";
}

TEST_F(DeviceCommand, CancelChangesNothing)
{
    g_answer = IDCANCEL;
    SetTimer(nullptr, 0, 20, PressButton);
    ChooseMidiDevice(nullptr);
    EXPECT_FALSE(std::filesystem::exists(folder / "kestrin.ini"));
    midiOutClearRecording();
    SendMidiBytes(0x90, 60, 1);
    EXPECT_TRUE(midiOutRecordedMessages().empty());
}
