// The main dialog's command dispatch: the two exits, the option toggles, the output formats, Enter and Escape.
#include "dialog_fixture.h"
#include "skinui/about_dialog.h"

namespace {

// What the about command opened: the about dialog's version line, read once it is up, then closed with Escape.
struct AboutProbe {
    static inline CString version;
    static void CALLBACK Read(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        CWnd* wnd = CWnd::FromHandle(GetFocus());
        while (wnd && !dynamic_cast<CAboutDialog*>(wnd))
            wnd = wnd->GetParent();
        if (!wnd) {
            PostQuitMessage(0);
            return;
        }
        if (CWnd* line = wnd->GetDlgItem(CAboutDialog::IDC_ABOUT_VERSION))
            line->GetWindowText(version);
        wnd->GetDlgItem(IDOK)->SetFocus();
        PressKey(VK_ESCAPE);
    }
};

TEST_F(ConverterDialog, TheAboutButtonShowsTheAboutDialog)
{
    GetRecordingPromptService().Clear();
    AboutProbe::version = "";
    SetTimer(nullptr, 0, 200, AboutProbe::Read);
    Command(CODE_ABOUT);
    MSG quit;
    EXPECT_FALSE(PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_NE(std::string(AboutProbe::version).find(" - Ver "), std::string::npos);
    EXPECT_TRUE(GetRecordingPromptService().Messages().empty());
}

TEST_F(ConverterDialog, CloseButtonAsksAndQuitsOnlyOnOk)
{
    dialog->answer = IDCANCEL;
    Command(CODE_CLOSE);
    EXPECT_EQ(dialog->confirmations, 1);
    EXPECT_FALSE(DrainQuit());
    EXPECT_EQ(Log().find("Program end!"), std::string::npos);

    dialog->answer = IDOK;
    Command(CODE_CLOSE);
    EXPECT_TRUE(DrainQuit());
    EXPECT_NE(Log().find("Program end!"), std::string::npos);
}

TEST_F(ConverterDialog, AskForQuitQuitsThroughTheOrderlyExitOnOkAndStaysOnCancel)
{
    dialog->answer = IDCANCEL;
    dialog->SendMessage(WM_CLOSE);
    EXPECT_EQ(dialog->confirmations, 1);
    EXPECT_FALSE(DrainQuit());
    EXPECT_TRUE(dialog->IsWindowVisible());

    dialog->answer = IDOK;
    dialog->SendMessage(WM_COMMAND, ID_MENU_QUIT);
    EXPECT_EQ(dialog->confirmations, 2);
    EXPECT_TRUE(DrainQuit());
    EXPECT_NE(Log().find("Program end!"), std::string::npos);
}

TEST_F(ConverterDialog, StartedBySuiteTheExitMarksTheLauncher)
{
    g_standAlone = 0;
    dialog->answer = IDOK;
    Command(CODE_CLOSE);
    g_standAlone = 1;
    EXPECT_TRUE(DrainQuit());
    EXPECT_EQ(CSettingsIni().GetInt("TonwickSuite", "SuiteLaunched"), 0);
    EXPECT_EQ(CSettingsIni().GetString("TonwickSuite", "SuiteLaunched"), "0");
}

TEST_F(ConverterDialog, EnterAndEscapeNeverEndTheDialog)
{
    dialog->SendMessage(WM_COMMAND, IDOK);
    dialog->SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_TRUE(::IsWindow(dialog->m_hWnd));
    EXPECT_TRUE(dialog->IsWindowVisible());
    EXPECT_EQ(dialog->confirmations, 0);
}

TEST_F(ConverterDialog, FadeTogglesFlipAndLogEachWay)
{
    const int fadeIn = dialog->m_fadeIn;
    Command(CODE_FADE_IN);
    EXPECT_EQ(dialog->m_fadeIn, !fadeIn);
    Command(CODE_FADE_IN);
    EXPECT_EQ(dialog->m_fadeIn, fadeIn);
    const std::string log = Log();
    const size_t check = log.find("Fade in check");
    const size_t uncheck = log.find("Fade in uncheck");
    ASSERT_NE(check, std::string::npos);
    ASSERT_NE(uncheck, std::string::npos);

    const int fadeOut = dialog->m_fadeOut;
    Command(CODE_FADE_OUT);
    EXPECT_EQ(dialog->m_fadeOut, !fadeOut);
    EXPECT_NE(Log().find(fadeOut ? "Fade out uncheck" : "Fade out check"), std::string::npos);
}

// The main dialog with the skins' pictures beside their ini files, as the program folder has them.
class ConverterDialogPictures : public ConverterDialog {
protected:
    void SetUp() override
    {
        const std::filesystem::path built = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "skin";
        std::filesystem::copy(built, program.Linux("skin"), std::filesystem::copy_options::recursive);
        ConverterDialog::SetUp();
    }
};

TEST_F(ConverterDialogPictures, FadeTogglesShowTheStateABatchLeaves)
{
    // The current file had its fades on; the setting read at the batch's start has them off.
    CSettingsIni().WriteInt("common", "fidein", 0);
    dialog->m_fadeIn = 1;
    dialog->m_fadeInCheck.Redraw();
    PumpFor(100);
    const Capture ticked = CaptureWindow(dialog->m_fadeInCheck.GetSafeHwnd());
    Command(CODE_CONVERT);
    PumpFor(100);
    ASSERT_EQ(dialog->m_fadeIn, 0);
    const Capture after = CaptureWindow(dialog->m_fadeInCheck.GetSafeHwnd());
    dialog->m_fadeInCheck.Redraw();
    PumpFor(100);
    EXPECT_EQ(after.pixels, CaptureWindow(dialog->m_fadeInCheck.GetSafeHwnd()).pixels);
    EXPECT_NE(after.pixels, ticked.pixels);
}

TEST_F(ConverterDialog, OutputFormatCodesSelectOneOfSixFormats)
{
    for (int format : {5, 0, 3}) {
        Command(CODE_FORMAT_FIRST + format);
        EXPECT_EQ(g_outputFormat, format);
    }
    // The code after the last format's is no format: nothing changes.
    Command(CODE_FORMAT_LAST + 1);
    EXPECT_EQ(g_outputFormat, 3);
}

TEST_F(ConverterDialog, SimpleAndAdvancedHeightsResizeTheWindow)
{
    dialog->SendMessage(WM_COMMAND, ID_MENU_SIMPLE);
    EXPECT_EQ(dialog->m_heightState, 1);
    CRect window;
    dialog->GetWindowRect(&window);
    EXPECT_EQ(window.Height(), dialog->m_simpleHeight);
    dialog->SendMessage(WM_COMMAND, ID_MENU_ADVANCED);
    EXPECT_EQ(dialog->m_heightState, 0);
    dialog->GetWindowRect(&window);
    EXPECT_EQ(window.Height(), dialog->m_advancedHeight);
}

}  // namespace

namespace {

size_t Count(const std::string& text, const std::string& piece)
{
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

TEST_F(ConverterDialog, StartUpTicksCentreOnceAndLogTheirStepsOnce)
{
    for (int tick = 0; tick < 3; ++tick)
        dialog->SendMessage(WM_TIMER, TIMER_STARTUP);
    const std::string log = Log();
    EXPECT_EQ(Count(log, "start - 13"), 1u);
    EXPECT_EQ(Count(log, "start - 14"), 1u);
    EXPECT_EQ(Count(log, "start - 15"), 1u);
    EXPECT_EQ(Count(log, "win position: "), 1u);
    CRect window;
    dialog->GetWindowRect(&window);
    EXPECT_NEAR(window.CenterPoint().x, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR(window.CenterPoint().y, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(ConverterDialog, PreviewTimerWithoutADurationLeavesThePositionAlone)
{
    dialog->m_duration = 0;
    dialog->m_rangeBar.m_dPos = 12.5;
    dialog->m_clipMode = 1;
    dialog->SendMessage(WM_TIMER, TIMER_PREVIEW_POSITION);
    EXPECT_EQ(dialog->m_rangeBar.m_dPos, 12.5);
}

}  // namespace

namespace {

TEST_F(ConverterDialog, AnOutputFormatBeyondTheSixReadsAsTheFirst)
{
    CSettingsIni().WriteInt("common", "OutputFormat", 6);
    ScriptedConverterDlg second;
    EXPECT_EQ(g_outputFormat, 0);
    CSettingsIni().WriteInt("common", "OutputFormat", 5);
    ScriptedConverterDlg third;
    EXPECT_EQ(g_outputFormat, 5);
}

}  // namespace
