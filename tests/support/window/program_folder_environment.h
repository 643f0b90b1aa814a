// ProgramFolderEnvironment: the window system with the test program's own folder, where the build copies the
// data, as the program folder; the settings the windows write go to the user's copies, never the working folder.
#pragma once

#include <climits>

#include "kernel/program_paths.h"
#include "services/app_folder.h"
#include "tests/support/window/window_system_environment.h"

class ProgramFolderEnvironment : public WindowSystemEnvironment {
public:
    using WindowSystemEnvironment::WindowSystemEnvironment;
    void SetUp() override
    {
        WindowSystemEnvironment::SetUp();
        char module[PATH_MAX];
        GetModuleFileName(nullptr, module, PATH_MAX);
        SetAppFolder(module);
    }
};
