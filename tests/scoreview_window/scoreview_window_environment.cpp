// Starts the window system once for the score view window tests.
#include "tests/support/window/window_system_environment.h"

namespace {

const auto* const g_environment =
    ::testing::AddGlobalTestEnvironment(new WindowSystemEnvironment("scoreview_window_tests"));

}  // namespace
