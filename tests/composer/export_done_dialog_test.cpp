// The post-export dialog's texts and choices, and the skinned message box.
#include <sys/stat.h>

#include <filesystem>

#include "composer/export_done_dialog.h"
#include "composer/message_dialog.h"
#include "kernel/path_map.h"
#include "services/app_folder.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window/ui_fixture.h"
#include "ui/window_dc.h"

namespace {

// The dialog with its go-on button reachable, as the button's command reaches it.
class ExportDone : public CExportDoneDialog {
public:
    using CExportDoneDialog::CExportDoneDialog;
    using CExportDoneDialog::OnCancel;
};

class ExportDoneDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = GetAppFolder();
        SetAppFolder(program.Win("kestrin.exe").c_str());
        program.Write("common.ini",
                      "[stringtip]\r\nexportfoldertip=Saved in:\r\nopenitunes=Play it\r\nopenexport=Show folder\r\n"
                      "closecontinue=Go on\r\nnext=Next\r\n");
        // The desktop's opener is a script that notes what it was asked to open.
        program.Write("bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + program.Linux("opened") + "\"\n");
        chmod(program.Linux("bin/xdg-open").c_str(), 0755);
        env.Set("PATH", (program.Linux("bin") + ":" + getenv("PATH")).c_str());
    }
    void TearDown() override { SetAppFolder(saved + "kestrin.exe"); }

    // What the opener was given once the dialog has ended, empty when nothing was opened.
    std::string Opened()
    {
        PumpUntil([&] { return std::filesystem::exists(program.Linux("opened")); }, 1500);
        return program.Read("opened");
    }
    CString Text(CWnd& dialog, int id)
    {
        CString text;
        dialog.GetDlgItemText(id, text);
        return text;
    }

    TempFolder program;
    CString saved;
    EnvGuard env;
};

TEST_F(ExportDoneDialog, NamesTheRingtoneAndOffersThreeChoices)
{
    ExportDone dialog("D:\\Tones\\tonwick-004.m4r", "Ringtone finished");
    EXPECT_EQ(dialog.m_strFolder, "D:\\Tones\\");
    EXPECT_EQ(dialog.m_strMessage, "Saved in:/Tones/tonwick-004.m4r");
    ASSERT_TRUE(dialog.Create(CExportDoneDialog::IDD));
    EXPECT_EQ(dialog.m_strTitle, "Ringtone finished");
    EXPECT_EQ(Text(dialog, CExportDoneDialog::kMessageId), "Saved in:/Tones/tonwick-004.m4r");
    EXPECT_EQ(Text(dialog, CExportDoneDialog::kOpenFileId), "Play it");
    EXPECT_EQ(Text(dialog, CExportDoneDialog::kOpenFolderId), "Show folder");
    EXPECT_EQ(Text(dialog, CExportDoneDialog::kContinueId), "Go on");
    EXPECT_EQ(Text(dialog, IDCANCEL), "Next");
    EXPECT_EQ(dialog.GetCheckedRadioButton(CExportDoneDialog::kOpenFileId, CExportDoneDialog::kContinueId),
              CExportDoneDialog::kOpenFileId);
    dialog.DestroyWindow();
}

TEST_F(ExportDoneDialog, ALongPathGivesUpItsMiddleAndKeepsTheFileName)
{
    const CString path =
        "D:\\Ringtones\\made with the composer\\in the winter of the year\\for the telephone of "
        "my sister\\tonwick-004.m4r";
    ExportDone dialog(path, "Ringtone finished");
    ASSERT_TRUE(dialog.Create(CExportDoneDialog::IDD));
    EXPECT_EQ(dialog.m_strMessage, "Saved in:" + CString(DisplayPath(path.GetString()).c_str()));  // kept whole
    const CString shown = Text(dialog, CExportDoneDialog::kMessageId);
    EXPECT_EQ(shown.Left(13), "Saved in:/Rin");
    EXPECT_EQ(shown.Right(16), "/tonwick-004.m4r");
    EXPECT_GE(shown.Find("..."), 0) << shown;
    EXPECT_LT(shown.GetLength(), dialog.m_strMessage.GetLength());
    // Broken into lines as the box breaks it, no line is wider than the box.
    CWnd* box = dialog.GetDlgItem(CExportDoneDialog::kMessageId);
    CRect r;
    box->GetClientRect(&r);
    CClientDC dc(box);
    dc.SelectObject(box->GetFont());
    CRect lines(0, 0, r.Width(), 0);
    dc.DrawText(shown, &lines, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_LE(lines.Width(), r.Width());
    dialog.DestroyWindow();
}

TEST_F(ExportDoneDialog, ComesUpOverTheMainWindowWithItsTitle)
{
    ExportDone main("D:\\Tones\\a.m4r", "main");
    ASSERT_TRUE(main.Create(CExportDoneDialog::IDD));
    main.MoveWindow(40, 60, 700, 500);
    main.ShowWindow(SW_SHOW);
    CWinApp app;
    app.m_pMainWnd = &main;
    ExportDone dialog("D:\\Tones\\tonwick-004.m4r", "Ringtone finished");
    ASSERT_TRUE(dialog.Create(CExportDoneDialog::IDD));
    app.m_pMainWnd = nullptr;
    CString title;
    dialog.GetWindowText(title);
    EXPECT_EQ(title, "Ringtone finished");
    CRect own;
    dialog.GetWindowRect(&own);
    EXPECT_NEAR(own.CenterPoint().x, 390, 1);
    EXPECT_NEAR(own.CenterPoint().y, 310, 1);
    dialog.DestroyWindow();
    main.DestroyWindow();
}

TEST_F(ExportDoneDialog, TheGoOnButtonOpensWhatWasChosen)
{
    program.Write("Tones/tonwick-004.m4r", "x");
    const std::string file = program.Win("Tones/tonwick-004.m4r");
    const struct {
        int radio;
        std::string opened;
    } cases[] = {
        {CExportDoneDialog::kOpenFileId, program.Linux("Tones/tonwick-004.m4r")},
        {CExportDoneDialog::kOpenFolderId, program.Linux("Tones/")},
        {CExportDoneDialog::kContinueId, ""},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(program.Linux("opened"));
        ExportDone dialog(file.c_str(), "done");
        ASSERT_TRUE(dialog.Create(CExportDoneDialog::IDD));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(c.radio, BN_CLICKED),
                           reinterpret_cast<LPARAM>(dialog.GetDlgItem(c.radio)->GetSafeHwnd()));
        EXPECT_EQ(dialog.m_nChoice, c.radio - CExportDoneDialog::kOpenFileId);
        dialog.OnCancel();
        EXPECT_EQ(std::filesystem::path(Opened()).lexically_normal(),
                  std::filesystem::path(c.opened).lexically_normal())
            << c.radio;
        dialog.DestroyWindow();
    }
}

// The message box with a test hook on its end.
class Message : public CMessageDialog {
public:
    using CMessageDialog::CMessageDialog;
    int ended = 0;

protected:
    void OnOK() override { ++ended; }
};

TEST_F(ExportDoneDialog, MessageBoxGrowsWithItsLinesAndClosesOnItsButton)
{
    for (int lines : {1, 4}) {
        Message dialog("Note", "one\ntwo", lines);
        ASSERT_TRUE(dialog.Create(CMessageDialog::IDD));
        CRect window, text, button;
        dialog.GetWindowRect(&window);
        EXPECT_EQ(window.Height(), lines * 16 + 100) << lines;
        EXPECT_EQ(Text(dialog, CMessageDialog::kTextId), "one\ntwo");
        dialog.GetDlgItem(CMessageDialog::kTextId)->GetWindowRect(&text);
        dialog.m_btnClose.GetWindowRect(&button);
        EXPECT_TRUE(window.PtInRect(text.TopLeft()) && window.PtInRect(text.BottomRight() - CSize(1, 1)));
        EXPECT_LE(text.bottom, button.top);
        EXPECT_EQ(dialog.m_btnClose.GetDlgCtrlID(), CMessageDialog::kCloseId);
        // Other commands go to the skinned base, which knows none of these.
        dialog.SendMessage(WM_SKINCOMMAND, 12345, 0);
        EXPECT_EQ(dialog.ended, 0);
        dialog.ShowWindow(SW_SHOW);
        ClickAt(dialog.m_btnClose.GetSafeHwnd(), button.Width() / 2, button.Height() / 2);
        EXPECT_TRUE(PumpUntil([&] { return dialog.ended == 1; }));
        dialog.DestroyWindow();
    }
}

}  // namespace
