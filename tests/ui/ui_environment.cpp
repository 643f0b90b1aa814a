// Starts the window system once for all window tests and answers prompts from the recording service.
#include "tests/support/window/window_system_environment.h"

namespace {

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new WindowSystemEnvironment("ui_tests"));

}  // namespace
