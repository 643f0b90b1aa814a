// The main window's dispatcher and status texts on a real main window in a program folder of the test's own.
#include <filesystem>
#include <string>
#include <vector>

#include "composer/composer_dlg.h"
#include "kernel/profile.h"
#include "kernel/prompt_service.h"
#include "kernel/path_map.h"
#include "services/app_folder.h"
#include "services/composer_globals.h"
#include "services/numbered_text.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_data.h"
#include "tests/support/window/ui_fixture.h"

namespace {

class MainDispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = GetAppFolder();
        // The program's data beside the executable, its settings files copied so that the test may change them.
        const std::filesystem::path bin = MapPath(std::string(saved));
        for (const auto& entry : std::filesystem::directory_iterator(bin)) {
            const std::string name = entry.path().filename().string();
            if (name == "common.ini" || name == "kestrin.ini")
                std::filesystem::copy_file(entry.path(), program.Linux(name));
            else if (!entry.is_regular_file() || name.find('.') != std::string::npos)
                std::filesystem::create_symlink(entry.path(), program.Linux(name));
        }
        program.Write("Tones/tonwick-001.m4r", "x");
        program.Write("Tones/tonwick-002.m4r", "x");
        SetAppFolder(program.Win("kestrin.exe").c_str());
        CSettingsFolder();
        dlg = std::make_unique<CComposerDlg>();
        ASSERT_TRUE(dlg->Create(IDD_COMPOSER));
        PumpFor(100);
    }
    void TearDown() override
    {
        dlg->DestroyWindow();
        dlg.reset();
        SetAppFolder(saved + "kestrin.exe");
    }
    void CSettingsFolder()
    {
        WritePrivateProfileString("common", "desdir", program.Win("Tones/").c_str(), program.Win("common.ini").c_str());
        WritePrivateProfileString("common", "fidein", "3", program.Win("common.ini").c_str());
    }
    LRESULT Send(WPARAM id, LPARAM value = 0) { return dlg->SendMessage(WM_SKINCOMMAND, id, value); }

    TempFolder program;
    CString saved;
    std::unique_ptr<CComposerDlg> dlg;
};

TEST_F(MainDispatch, NewNamesTheSongAfterTheRingtonesAlreadyExported)
{
    EXPECT_EQ(dlg->m_scoreView.score.fileName, program.Win("Tones/tonwick-003.mid"));
    EXPECT_EQ(dlg->m_labels[LBL_STATUS_LEFT].GetText(), program.Linux("Tones/tonwick-003.mid").c_str());
    EXPECT_EQ(dlg->m_labels[LBL_STATUS_RIGHT].GetText(), "Pos:Track 1, Measure 1");
}

TEST_F(MainDispatch, CommandsKeepTheirBounds)
{
    const struct {
        int start;
        WPARAM id;
        int* value;
        int expected;
    } cases[] = {
        {10, CMD_MORE_MEASURES_PER_LINE, &dlg->m_nMeasuresPerLine, 10},
        {1, CMD_FEWER_MEASURES_PER_LINE, &dlg->m_nMeasuresPerLine, 1},
        {9, CMD_MORE_MEASURES_PER_LINE, &dlg->m_nMeasuresPerLine, 10},
        {50, CMD_STAFF_SCALE_UP, &dlg->m_nStaffScale, 50},
        {1, CMD_STAFF_SCALE_DOWN, &dlg->m_nStaffScale, 1},
        {49, CMD_STAFF_SCALE_UP, &dlg->m_nStaffScale, 50},
    };
    for (const auto& c : cases) {
        *c.value = c.start;
        dlg->m_scoreView.score.modified = 0;
        Send(c.id);
        EXPECT_EQ(*c.value, c.expected) << c.id << " from " << c.start;
        if (c.id == CMD_MORE_MEASURES_PER_LINE || c.id == CMD_FEWER_MEASURES_PER_LINE) {
            EXPECT_EQ(dlg->m_scoreView.score.modified, 1) << c.id;
        }
    }
    // New applies the scale by one up and one down.
    dlg->m_nStaffScale = 50;
    Send(CMD_NEW);
    EXPECT_EQ(dlg->m_nStaffScale, 49);
}

TEST_F(MainDispatch, TogglesFlipBetweenZeroAndOne)
{
    EXPECT_EQ(dlg->m_bFadeIn, 3);  // as the settings file has it
    Send(CMD_FADE_IN);
    EXPECT_EQ(dlg->m_bFadeIn, 0);
    Send(CMD_FADE_IN);
    EXPECT_EQ(dlg->m_bFadeIn, 1);
    Send(CMD_VALUE_MODIFIER);
    EXPECT_EQ(dlg->m_scoreView.score.dotMode, 1);
    Send(CMD_VALUE_MODIFIER);
    EXPECT_EQ(dlg->m_scoreView.score.dotMode, 0);
    Send(CMD_VALUE_MODIFIER);
    Send(CMD_NOTE_VALUE_FIRST + 2);
    EXPECT_EQ(dlg->m_scoreView.score.dotMode, 0);
}

TEST_F(MainDispatch, DuringAnExportNewOpenCloseAndExportWait)
{
    dlg->m_scoreView.score.fileName = "E:\\kept.mid";
    g_strExportTarget = "E:\\chosen.m4r";
    dlg->m_bExporting = 1;
    const WPARAM waiting[] = {CMD_NEW, CMD_OPEN, CMD_EXPORT, CSkinDialog::ID_CAPTION_CLOSE, CMD_CLOSE};
    for (WPARAM id : waiting)
        Send(id);
    Send(NOTIFY_SCORE_VIEW, VIEW_SAVE_AS_AUDIO);
    dlg->m_bExporting = 0;
    EXPECT_EQ(dlg->m_scoreView.score.fileName, "E:\\kept.mid");
    EXPECT_TRUE(g_strExportTarget.IsEmpty());
    EXPECT_FALSE(std::filesystem::exists(program.Linux("Tones/kept.m4r")));
    PumpFor(50);
    EXPECT_TRUE(::IsWindow(dlg->GetSafeHwnd()));
}

TEST_F(MainDispatch, RangeTextsFollowTheMarkedRange)
{
    CScore& song = dlg->m_scoreView.score;
    song.tempo = 120;
    song.division = 480;
    const struct {
        int start, end;
        int channel;
        const char *startText, *endText, *length, *size;
    } cases[] = {
        {0, 3725, 1, "00:00:00", "01:02:05", "01:02:05", "57489 KB"},
        {30, 60, 1, "00:00:30", "00:01:00", "00:00:30", "463 KB"},
        {30, 60, 0, "00:00:30", "00:01:00", "00:00:30", "231 KB"},
    };
    for (const auto& c : cases) {
        song.loopStart = c.start * 960;
        song.loopEnd = c.end * 960;
        dlg->m_nExportSample = 1;
        dlg->m_nExportBitrate = 5;
        dlg->m_nExportChannel = c.channel;
        dlg->UpdateRangeTexts(FALSE);
        EXPECT_EQ(dlg->m_labels[LBL_RANGE_START].GetText(), c.startText);
        EXPECT_EQ(dlg->m_labels[LBL_RANGE_END].GetText(), c.endText);
        EXPECT_EQ(dlg->m_labels[LBL_DURATION].GetText(), c.length);
        EXPECT_EQ(dlg->m_labels[LBL_SIZE].GetText(), c.size) << c.end;
    }
}

TEST_F(MainDispatch, LeftStatusShowsThePathTheLastExportOrNewFilename)
{
    const struct {
        const char* path;
        const char* last;
        const char* shown;
    } cases[] = {{"E:\\a.mid", "E:\\b.m4r", "/a.mid"}, {"", "E:\\b.m4r", "/b.m4r"}, {"", "", "New filename!"}};
    for (const auto& c : cases) {
        dlg->m_scoreView.score.fileName = c.path;
        dlg->m_strLastOutput = c.last;
        Send(CMD_NONE);
        EXPECT_EQ(dlg->m_labels[LBL_STATUS_LEFT].GetText(), c.shown);
    }
}

// What the lower part of the main window shows (the panel's labels and toggles, Export and the status row).
std::vector<uint32_t> LowerPart(CComposerDlg& dialog)
{
    const Capture shot = CaptureWindow(dialog.m_hWnd);
    CRect bar;
    dialog.m_rangeBar.GetWindowRect(&bar);
    dialog.ScreenToClient(&bar);
    return std::vector<uint32_t>(shot.pixels.begin() + (size_t)bar.bottom * shot.width, shot.pixels.end());
}

TEST_F(MainDispatch, ALanguageChangeRepaintsEveryTextAsAFreshStartWouldShowIt)
{
    Send(CMD_LOWER_PANEL);  // the lower panel, with its captions, labels and toggles
    dlg->ShowWindow(SW_SHOW);
    PumpFor(100);
    dlg->ApplyAppearance(2, dlg->m_nSkin, 0);
    PumpFor(200);
    const std::vector<uint32_t> switched = LowerPart(*dlg);
    EXPECT_STREQ(g_strLegacyLanguage, "Chinese");
    EXPECT_STREQ(GetNumberedText(202), "空白背景");

    auto fresh = std::make_unique<CComposerDlg>();
    ASSERT_TRUE(fresh->Create(IDD_COMPOSER));
    fresh->SendMessage(WM_SKINCOMMAND, CMD_LOWER_PANEL, 0);
    fresh->ShowWindow(SW_SHOW);
    PumpFor(200);
    EXPECT_TRUE(switched == LowerPart(*fresh)) << "old texts stay on the switched window";
    fresh->DestroyWindow();
    g_strLegacyLanguage = "English";
}

}  // namespace

// "Save it?" answered Yes before a new song: a save that fails says why and keeps the song, changes and all.
TEST_F(MainDispatch, ASaveThatFailsBeforeNewKeepsTheSong)
{
    program.Write("Tones/readonly.sms", "old");
    std::filesystem::permissions(program.Linux("Tones/readonly.sms"), std::filesystem::perms::owner_read);
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"Tones/readonly.sms", "This is a readonly file."},
        {"Tones/no such folder/song.mid", "Save file failed !!!"},
    };
    for (const auto& c : cases) {
        CScore& song = dlg->m_scoreView.score;
        song.fileName = program.Win(c.name).c_str();
        song.modified = 1;
        RecordingPromptService& prompts = GetRecordingPromptService();
        prompts.Clear();
        prompts.QueueMessageAnswer(IDYES);
        Send(CMD_NEW);
        EXPECT_EQ(song.fileName, program.Win(c.name)) << c.name;
        EXPECT_EQ(song.modified, 1) << c.name;
        ASSERT_EQ(prompts.Messages().size(), 2u) << c.name;
        EXPECT_EQ(prompts.Messages()[1].text, c.message);
    }
    EXPECT_EQ(program.Read("Tones/readonly.sms"), "old");
}

// After a long song, scrolled and with a range marked, New shows what a window that has just started shows; an
// Open that fails does not give the broken file's name to the empty song it leaves.
TEST_F(MainDispatch, NewAndAFailedOpenShowTheSongThatIsOpen)
{
    const ComposerLabel shown[] = {LBL_RANGE_START, LBL_RANGE_END, LBL_DURATION, LBL_SIZE, LBL_STATUS_LEFT};
    std::vector<std::string> fresh;
    for (ComposerLabel label : shown)
        fresh.push_back(dlg->m_labels[label].GetText().GetString());

    std::filesystem::copy_file(TestDataPath("midi/bach_846.mid"), program.Linux("Tones/bach.mid"));
    dlg->OpenSong(program.Win("Tones/bach.mid").c_str());
    dlg->m_rangeBar.m_dStart = 20.0;
    dlg->m_rangeBar.m_dEnd = 60.0;
    dlg->m_scoreView.SetRangePercent(20.0, 60.0);
    dlg->m_scoreView.ScrollToBeat(200);
    dlg->m_hScrollBar.SetScrollPos(200);
    Send(3027);
    for (size_t i = 0; i < fresh.size(); ++i)
        EXPECT_EQ(dlg->m_labels[shown[i]].GetText().GetString(), fresh[i]) << shown[i];
    EXPECT_EQ(dlg->m_rangeBar.m_dStart, 0.0);
    EXPECT_EQ(dlg->m_rangeBar.m_dEnd, 100.0);
    EXPECT_EQ(dlg->m_scoreView.firstVisibleBeat, 0);
    EXPECT_EQ(dlg->m_hScrollBar.GetScrollPos(), 0);

    program.Write("Tones/broken.mid", "not a song");
    GetRecordingPromptService().QueueMessageAnswer(IDOK);
    dlg->OpenSong(program.Win("Tones/broken.mid").c_str());
    EXPECT_EQ(dlg->m_labels[LBL_STATUS_LEFT].GetText().Find("broken"), -1) << dlg->m_labels[LBL_STATUS_LEFT].GetText();
}
