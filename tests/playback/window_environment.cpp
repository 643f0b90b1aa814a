// Starts the window system once for the device dialog's tests; prompts go to the recording service.
#include "tests/support/window/window_system_environment.h"

namespace {

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new WindowSystemEnvironment("playback_tests"));

}  // namespace
