// Starts the window system once for the composer tests; the program folder is the test's own, with the data.
#include <climits>

#include "kernel/program_paths.h"
#include "services/app_folder.h"
#include "tests/support/window/window_system_environment.h"

namespace {

class ComposerEnvironment : public WindowSystemEnvironment {
public:
    ComposerEnvironment() : WindowSystemEnvironment("composer_tests") {}
    void SetUp() override
    {
        WindowSystemEnvironment::SetUp();
        char module[PATH_MAX];
        GetModuleFileName(nullptr, module, PATH_MAX);
        SetAppFolder(module);
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ComposerEnvironment);

}  // namespace
