// Starts the window system once for the data window tests.
#include "tests/ui/window_system_environment.h"

namespace {

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new WindowSystemEnvironment("data_window_tests"));

}  // namespace
