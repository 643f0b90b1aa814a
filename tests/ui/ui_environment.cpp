// Starts the window system once for all window tests and answers prompts from the recording service.
#include "ui_fixture.h"

namespace {

class WindowSystem : public ::testing::Environment {
public:
    void SetUp() override
    {
        static char name[] = "ui_tests";
        static char* argv[] = {name, nullptr};
        ASSERT_TRUE(AfxWinInit(1, argv));
        SetPromptService(&GetRecordingPromptService());
    }
    void TearDown() override { AfxWinTerm(); }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new WindowSystem);

}  // namespace
