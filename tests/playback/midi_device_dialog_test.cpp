// The "Midi driver" dialog: one row per output device, the stored device selected, the selection followed.
#include <gtest/gtest.h>

#include "media/mmsystem.h"
#include "services/language_text.h"
#include "song/midi_device_dialog.h"
#include "ui/ui.h"

namespace {

CString RowText(CWnd& dialog, int row) {
    char text[MAXPNAMELEN + 1] = {};
    dialog.SendDlgItemMessage(CMidiDeviceDialog::kDeviceListId, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
    return CString(text);
}

}  // namespace

TEST(MidiDeviceDialog, ListsEveryDeviceAndSelectsTheStoredOne) {
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

TEST(MidiDeviceDialog, AMissingDeviceKeepsTheStoredNumberUntilTheUserChooses) {
    CMidiDeviceDialog dialog(7, 40);
    ASSERT_TRUE(dialog.Create(CMidiDeviceDialog::IDD));
    EXPECT_EQ(LB_ERR, dialog.SendDlgItemMessage(CMidiDeviceDialog::kDeviceListId, LB_GETCURSEL));
    EXPECT_EQ(40, dialog.m_outDevice);

    HWND list = dialog.GetDlgItem(CMidiDeviceDialog::kDeviceListId)->GetSafeHwnd();
    dialog.SendDlgItemMessage(CMidiDeviceDialog::kDeviceListId, LB_SETCURSEL, 0);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CMidiDeviceDialog::kDeviceListId, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(0, dialog.m_outDevice);
    EXPECT_EQ(7, dialog.m_inDevice);
    dialog.DestroyWindow();
}
