// Starts the window system once for the composer tests; the program folder is the test's own, with the data.
#include "tests/support/window/program_folder_environment.h"

namespace {

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ProgramFolderEnvironment("composer_tests"));

}  // namespace
