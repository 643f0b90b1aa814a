// Starts the window system once for all skinned-control tests.
#include "tests/support/window/window_system_environment.h"

namespace {

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new WindowSystemEnvironment("skinui_tests"));

}  // namespace
