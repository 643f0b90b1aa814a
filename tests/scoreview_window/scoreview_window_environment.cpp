// Starts the window system once for the score view window tests, with the test program's folder as the program
// folder: the settings the view writes (the MIDI devices) go to the user's copies.
#include "tests/support/window/program_folder_environment.h"

namespace {

const auto* const g_environment =
    ::testing::AddGlobalTestEnvironment(new ProgramFolderEnvironment("scoreview_window_tests"));

}  // namespace
