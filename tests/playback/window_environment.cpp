// Starts the window system once for the device dialog's tests; prompts go to the recording service.
#include <gtest/gtest.h>

#include "kernel/prompt_service.h"
#include "ui/winapp.h"

namespace {

class WindowSystem : public ::testing::Environment {
public:
    void SetUp() override {
        static char name[] = "playback_tests";
        static char* argv[] = {name, nullptr};
        ASSERT_TRUE(AfxWinInit(1, argv));
        SetPromptService(&GetRecordingPromptService());
    }
    void TearDown() override { AfxWinTerm(); }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new WindowSystem);

}  // namespace
