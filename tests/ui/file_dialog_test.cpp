// The file dialog: the request it makes of the prompt service, single and multiple answers, cancel.
#include <cstring>

#include "tests/support/window/ui_fixture.h"

namespace {

TEST(FileDialog, OpenWithSeveralFilesWalksEveryPath)
{
    RecordingPromptService& prompts = GetRecordingPromptService();
    prompts.Clear();
    prompts.QueueFileAnswer(std::string("\\home\\user\\music") + '\0' + "a.mid" + '\0' + "b.mmf");
    CFileDialog dlg(TRUE, "mid", nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
                    "Music Files(*.mid,*.mmf)|*.mid;*.mmf|MIDI Files (*.mid)|*.mid||");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(prompts.FilePrompts().size(), 1u);
    const FilePromptRequest r = prompts.FilePrompts()[0];
    EXPECT_TRUE(r.open);
    EXPECT_EQ(r.defaultExtension, "mid");
    EXPECT_EQ(r.filter, "Music Files(*.mid,*.mmf)|*.mid;*.mmf|MIDI Files (*.mid)|*.mid||");
    EXPECT_TRUE(r.flags & OFN_ALLOWMULTISELECT);
    POSITION pos = dlg.GetStartPosition();
    EXPECT_EQ(dlg.GetNextPathName(pos), "\\home\\user\\music\\a.mid");
    EXPECT_EQ(dlg.GetNextPathName(pos), "\\home\\user\\music\\b.mmf");
    EXPECT_EQ(pos, nullptr);
}

TEST(FileDialog, SaveAnswerGivesNameParts)
{
    RecordingPromptService& prompts = GetRecordingPromptService();
    prompts.Clear();
    prompts.QueueFileAnswer(std::string("\\tmp\\songs\\theme.sms"));
    CFileDialog dlg(FALSE, "sms", "untitled.sms");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(prompts.FilePrompts()[0].open);
    EXPECT_EQ(prompts.FilePrompts()[0].initialName, "untitled.sms");
    EXPECT_TRUE(prompts.FilePrompts()[0].flags & OFN_OVERWRITEPROMPT);
    EXPECT_EQ(dlg.GetPathName(), "\\tmp\\songs\\theme.sms");
    EXPECT_EQ(dlg.GetFileName(), "theme.sms");
    EXPECT_EQ(dlg.GetFileTitle(), "theme");
    EXPECT_EQ(dlg.GetFileExt(), "sms");
    EXPECT_EQ(dlg.GetFolderPath(), "\\tmp\\songs");
    POSITION pos = dlg.GetStartPosition();
    EXPECT_EQ(dlg.GetNextPathName(pos), "\\tmp\\songs\\theme.sms");
    EXPECT_EQ(pos, nullptr);

    prompts.QueueFileAnswer(std::nullopt);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetPathName(), "");
}

TEST(TrayIcon, NoNotificationAreaIsReportedAsFailure)
{
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "tray owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    NOTIFYICONDATA nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = w.GetSafeHwnd();
    nid.uFlags = NIF_MESSAGE | NIF_TIP;
    nid.uCallbackMessage = WM_APP + 10;
    std::strcpy(nid.szTip, "Kestrin");
    // The virtual display has no notification area: adding fails, and so do changes of the absent icon.
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &nid));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &nid));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &nid));
}

}  // namespace
