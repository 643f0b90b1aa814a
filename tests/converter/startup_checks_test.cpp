// The converter's start-up checks (suite switch, single instance) and its frame timer.
#include <gtest/gtest.h>

#include "converter/startup_checks.h"
#include "converter/frame_timer.h"
#include "tests/support/window/ui_fixture.h"

namespace {

struct SwitchCase {
    const char* name;
    const char* argument;
    int standAlone;
};

class SuiteSwitch : public ::testing::TestWithParam<SwitchCase> {
protected:
    void TearDown() override { g_standAlone = 1; }
};

TEST_P(SuiteSwitch, OnlyTheSwitchInAnyCaseMarksAStartByTheSuite)
{
    g_standAlone = 1;
    ReadSuiteSwitch(GetParam().argument);
    EXPECT_EQ(g_standAlone, GetParam().standAlone);
}

INSTANTIATE_TEST_SUITE_P(Cases, SuiteSwitch,
                         ::testing::Values(SwitchCase{"Switch", "-tonwicksuite", 0},
                                           SwitchCase{"SwitchInCapitals", "-TonwickSuite", 0},
                                           SwitchCase{"None", "", 1}, SwitchCase{"Longer", "-tonwicksuite2", 1},
                                           SwitchCase{"NoDash", "tonwicksuite", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SingleInstance, AWindowWithTheProductTitleMeansTheConverterRuns)
{
    EXPECT_EQ(IsConverterRunning(), 0);
    CWnd other;
    ASSERT_TRUE(
        other.CreateEx(0, nullptr, "Tonwick Converter 2", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(IsConverterRunning(), 0);
    CWnd running;
    ASSERT_TRUE(running.CreateEx(0, nullptr, g_productTitle, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(IsConverterRunning(), 1);
    running.DestroyWindow();
    EXPECT_EQ(IsConverterRunning(), 0);
    other.DestroyWindow();
}

TEST(FrameTimer, StateCommandsAnswerZeroAndUnknownOnesMinusOne)
{
    EXPECT_EQ(QueryTimer(0), 0);
    EXPECT_EQ(QueryTimer(2), 0);
    // Stopped: the application time stands still, and a second stop changes nothing.
    const double stopped = QueryTimer(5);
    EXPECT_EQ(QueryTimer(2), 0);
    EXPECT_EQ(QueryTimer(5), stopped);
    // Advancing a stopped timer moves its time on by a tenth of a second.
    EXPECT_EQ(QueryTimer(3), 0);
    EXPECT_NEAR(QueryTimer(5), stopped + 0.1, 1e-9);
    EXPECT_EQ(QueryTimer(1), 0);
    EXPECT_EQ(QueryTimer(7), -1);
    EXPECT_EQ(QueryTimer(-1), -1);
}

TEST(FrameTimer, PausesNestAndTheLastResumeStarts)
{
    QueryTimer(0);
    EXPECT_EQ(PauseFrameTimer(TRUE), 1);
    const double paused = QueryTimer(5);
    EXPECT_EQ(PauseFrameTimer(TRUE), 2);
    EXPECT_EQ(PauseFrameTimer(FALSE), 1);
    EXPECT_EQ(QueryTimer(5), paused);
    EXPECT_EQ(PauseFrameTimer(FALSE), 0);
}

}  // namespace
