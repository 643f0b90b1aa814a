// A program folder in a temporary folder, and a stand-in main dialog registered with the services.
#pragma once

#include <gtest/gtest.h>

#include "services/app_folder.h"
#include "services/composer_globals.h"
#include "services/deliverable.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_folder.h"

class MainDialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetAppFolder((program.Win("prog.exe")).c_str());
        // The settings a test writes go to a config folder of its own, so no later test reads them.
        env.Set("XDG_CONFIG_HOME", program.Linux("config").c_str());
    }
    void TearDown() override
    {
        SetMainDialog(MainDialogLink());
        SetDeliverable(DELIVERABLE_COMPOSER);
    }

    // The services only compare the dialog pointer with null and write through the value pointers.
    void RegisterDialog()
    {
        MainDialogLink link;
        link.pDialog = reinterpret_cast<CWnd*>(&dialogStandIn);
        link.pLanguage = &language;
        link.pSkin = &skin;
        link.pTransparent = &transparent;
        link.pTransparentHigh = &transparentHigh;
        SetMainDialog(link);
    }

    TempFolder program;
    EnvGuard env;
    int dialogStandIn = 0;
    int language = -1;
    int skin = -1;
    COLORREF transparent = 0x123456;
    COLORREF transparentHigh = 0x654321;
};
