// The main dialog's command dispatch: the two exits, the option toggles, the output formats, Enter and Escape.
#include "dialog_fixture.h"

namespace {

TEST_F(ConverterDialog, CloseButtonAsksAndQuitsOnlyOnOk)
{
    dialog->answer = IDCANCEL;
    Command(1030);
    EXPECT_EQ(dialog->confirmations, 1);
    EXPECT_FALSE(DrainQuit());
    EXPECT_EQ(Log().find("Program end!"), std::string::npos);

    dialog->answer = IDOK;
    Command(1030);
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
    dialog->SendMessage(WM_COMMAND, 40013);
    EXPECT_EQ(dialog->confirmations, 2);
    EXPECT_TRUE(DrainQuit());
    EXPECT_NE(Log().find("Program end!"), std::string::npos);
}

TEST_F(ConverterDialog, StartedBySuiteTheExitMarksTheLauncher)
{
    g_standAlone = 0;
    dialog->answer = IDOK;
    Command(1030);
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
    Command(27);
    EXPECT_EQ(dialog->m_fadeIn, !fadeIn);
    Command(27);
    EXPECT_EQ(dialog->m_fadeIn, fadeIn);
    const std::string log = Log();
    const size_t check = log.find("Fade in check");
    const size_t uncheck = log.find("Fade in uncheck");
    ASSERT_NE(check, std::string::npos);
    ASSERT_NE(uncheck, std::string::npos);

    const int fadeOut = dialog->m_fadeOut;
    Command(28);
    EXPECT_EQ(dialog->m_fadeOut, !fadeOut);
    EXPECT_NE(Log().find(fadeOut ? "Fade out uncheck" : "Fade out check"), std::string::npos);
}

TEST_F(ConverterDialog, OutputFormatCodesSelectOneOfSixFormats)
{
    for (int code : {5, 0, 3}) {
        Command(code);
        EXPECT_EQ(g_outputFormat, code);
    }
    // Code 6 is no format: nothing changes.
    Command(6);
    EXPECT_EQ(g_outputFormat, 3);
}

TEST_F(ConverterDialog, SimpleAndAdvancedHeightsResizeTheWindow)
{
    dialog->SendMessage(WM_COMMAND, 40020);
    EXPECT_EQ(dialog->m_heightState, 1);
    CRect window;
    dialog->GetWindowRect(&window);
    EXPECT_EQ(window.Height(), dialog->m_simpleHeight);
    dialog->SendMessage(WM_COMMAND, 40019);
    EXPECT_EQ(dialog->m_heightState, 0);
    dialog->GetWindowRect(&window);
    EXPECT_EQ(window.Height(), dialog->m_advancedHeight);
}

}  // namespace
