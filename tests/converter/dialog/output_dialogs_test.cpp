// The output settings and the converter's small dialogs, each driven through its real modal loop.
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "converter/confirm_dlg.h"
#include "converter/convert_done_dlg.h"
#include "converter/output_settings.h"
#include "dialog_fixture.h"
#include "kernel/path_map.h"

namespace {

// Runs once the modal dialog titled `title` is up: the test's clicks on it.
std::function<void(HWND)> g_drive;
CString g_driveTitle;

void CALLBACK DriveModal(HWND owner, UINT, UINT_PTR id, DWORD)
{
    HWND modal = FindWindow(nullptr, g_driveTitle);
    if (modal == nullptr || !IsWindowVisible(modal))
        return;
    KillTimer(owner, id);
    g_drive(modal);
}

void Click(HWND dialog, int id) { SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string ItemText(HWND dialog, int id)
{
    char text[512] = {};
    GetDlgItemText(dialog, id, text, sizeof text);
    return text;
}

class OutputDialogs : public ConverterDialog {
protected:
    // Arms the driver before the modal loop starts.
    void WhenShown(const CString& title, std::function<void(HWND)> drive)
    {
        g_driveTitle = title;
        g_drive = std::move(drive);
        SetTimer(dialog->m_hWnd, 4242, 50, &DriveModal);
    }
    // A stand-in for the desktop's opener, which records what it was asked to open.
    void RecordOpens()
    {
        program.Write("bin/xdg-open", "#!/bin/sh\necho \"$@\" >> '" + program.Linux("opened.txt") + "'\n");
        std::filesystem::permissions(program.Linux("bin/xdg-open"), std::filesystem::perms::owner_all);
        m_path = std::getenv("PATH");
        setenv("PATH", (program.Linux("bin") + ":" + m_path).c_str(), 1);
    }
    // What the opener was asked for, once it has run (nothing after a second).
    std::string Opened()
    {
        PumpUntil([&] { return !program.Read("opened.txt").empty(); }, 1000);
        return program.Read("opened.txt");
    }
    void TearDown() override
    {
        if (!m_path.empty())
            setenv("PATH", m_path.c_str(), 1);
        ConverterDialog::TearDown();
    }

private:
    std::string m_path;
};

TEST_F(OutputDialogs, AFreshInstallationConvertsAtTheTablesFirstEntriesIntoTheDocumentsFolder)
{
    CSettingsIni ini;
    for (const char* key : {"sample", "bitrate", "channel"})
        ini.WriteString("format0", key, "");
    ini.WriteString("common", "desdir", "");
    g_outputFormat = 0;
    dialog->LoadOutputSettings();
    EXPECT_EQ(48000, g_sampleRate);
    EXPECT_EQ(320, g_bitRate);
    EXPECT_EQ(1, g_channels);
    const char* documents = std::getenv("XDG_DOCUMENTS_DIR");
    const std::string folder = std::string(documents ? documents : "") + "/Tonwick";
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(ToWindowsPath(folder) + "\\", dialog->m_exportFolder.GetString());
    std::filesystem::remove_all(folder);
}

TEST_F(OutputDialogs, IndexesBeyondTheTablesAreBroughtIntoThem)
{
    const struct {
        int sample, bitrate, rate, kbits;
    } cases[] = {{9, 12, 8000, 16}, {-1, -5, 48000, 320}, {4, 7, 22050, 96}};
    g_outputFormat = 3;
    for (const auto& c : cases) {
        CSettingsIni().WriteInt("format3", "sample", c.sample);
        CSettingsIni().WriteInt("format3", "bitrate", c.bitrate);
        dialog->LoadOutputSettings();
        EXPECT_EQ(c.rate, g_sampleRate) << c.sample;
        EXPECT_EQ(c.kbits, g_bitRate) << c.bitrate;
    }
}

TEST_F(OutputDialogs, OkStoresTheChosenFormatRateChannelsAndApplySwitch)
{
    g_outputFormat = 0;
    dialog->m_applyFadeFix = 0;
    std::string labels;
    WhenShown(GetLanguageText("option"), [&](HWND options) {
        EXPECT_EQ("Stereo", ItemText(options, 1022));
        Click(options, 1801);  // WAV
        HWND rates = GetDlgItem(options, 3031);
        EXPECT_EQ(9, SendMessage(rates, CB_GETCOUNT, 0, 0));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(options, 3032)));
        SendMessage(rates, CB_SETCURSEL, 4, 0);  // 22kHz
        Click(options, 1022);
        Click(options, 3044);
        Click(options, IDOK);
    });
    dialog->ShowOptions();
    CSettingsIni ini;
    EXPECT_EQ(4, ini.GetInt("format1", "sample"));
    EXPECT_EQ(1, ini.GetInt("format1", "channel"));
    EXPECT_EQ(1, ini.GetInt("common", "OutputFormat"));
    EXPECT_EQ(1, ini.GetInt("common", "ApplyFadeFix"));
    EXPECT_EQ(1, dialog->m_applyFadeFix);
    EXPECT_EQ(1, g_outputFormat);
    EXPECT_EQ(22050, g_sampleRate);
    EXPECT_EQ(2, g_channels);
}

// The bit-rate row is hidden: the rows below it close up to the template's margin of 4 units below the sample-rate
// row, whose list may stand taller than its label.
TEST_F(OutputDialogs, TheRowsBelowTheHiddenBitRateRowCloseUp)
{
    bool shown = false;
    WhenShown(GetLanguageText("option"), [&](HWND options) {
        shown = true;
        auto rect = [options](int id) {
            RECT r;
            GetWindowRect(GetDlgItem(options, id), &r);
            MapWindowPoints(nullptr, options, reinterpret_cast<LPPOINT>(&r), 2);
            return r;
        };
        RECT margin = {0, 0, 4, 4};
        MapDialogRect(options, &margin);
        RECT client;
        GetClientRect(options, &client);
        const RECT quality = rect(3038), apply = rect(3044), ok = rect(IDOK);
        const long sampleRow = std::max(rect(3039).bottom, rect(3031).bottom);
        EXPECT_NEAR(margin.bottom, quality.bottom - sampleRow, 1);
        EXPECT_NEAR(margin.bottom, apply.top - quality.bottom, 1);
        EXPECT_NEAR(margin.bottom, client.bottom - ok.bottom, 1);
        Click(options, IDCANCEL);
    });
    dialog->ShowOptions();
    EXPECT_TRUE(shown);
}

TEST_F(OutputDialogs, CancelLeavesTheSettingsAsTheyWere)
{
    g_outputFormat = 2;
    CSettingsIni().WriteInt("common", "OutputFormat", 2);
    dialog->m_applyFadeFix = 0;
    const CString applyBefore = CSettingsIni().GetString("common", "ApplyFadeFix");
    WhenShown(GetLanguageText("option"), [](HWND options) {
        Click(options, 1805);
        Click(options, 3044);
        Click(options, IDCANCEL);
    });
    dialog->ShowOptions();
    EXPECT_EQ(2, g_outputFormat);
    EXPECT_EQ(2, CSettingsIni().GetInt("common", "OutputFormat"));
    EXPECT_EQ(applyBefore, CSettingsIni().GetString("common", "ApplyFadeFix"));
    EXPECT_EQ(0, dialog->m_applyFadeFix);
}

TEST_F(OutputDialogs, TheConfirmationAsksInTheUsersLanguage)
{
    for (int answer : {IDOK, IDCANCEL}) {
        WhenShown("Quit?", [answer](HWND confirm) {
            EXPECT_EQ("Really?", ItemText(confirm, 4557));
            EXPECT_EQ("OK", ItemText(confirm, IDOK));
            EXPECT_EQ("Cancel", ItemText(confirm, IDCANCEL));
            Click(confirm, answer);
        });
        EXPECT_EQ(answer, CConfirmDlg("Quit?", "Really?", dialog).DoModal());
    }
}

TEST_F(OutputDialogs, TheBatchSummaryAndItsHandOvers)
{
    RecordOpens();
    const CString folder = program.Win("export\\").c_str();
    const CString output = program.Win("export\\a.mp3").c_str();
    program.Write("export/a.mp3", "x");
    const struct {
        int radio;
        CString firstOutput;
        std::string opened;
    } cases[] = {{3046, output, program.Linux("export/") + "\n"},
                 {3047, output, program.Linux("export/a.mp3") + "\n"},
                 {3047, "", ""},
                 {3048, output, ""}};
    for (const auto& c : cases) {
        std::filesystem::remove(program.Linux("opened.txt"));
        CConvertDoneDlg done(3, 2, "00:01:05", folder, c.firstOutput, "Finished", dialog);
        EXPECT_EQ("Tasks:3, Done:2, Time used 00:01:05\r\nThe ringtone was saved in:" + program.Linux("export/"),
                  done.m_summary.GetString());
        WhenShown("Finished", [&](HWND shown) {
            EXPECT_EQ("Next", ItemText(shown, IDCANCEL));
            Click(shown, c.radio);
            Click(shown, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, done.DoModal());
        EXPECT_EQ(c.opened, Opened()) << c.radio;
    }
}

}  // namespace
