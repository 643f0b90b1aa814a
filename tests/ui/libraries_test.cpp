// Run-time libraries and the version: no Windows library loads, and the version is of the NT family.
#include "kernel/last_error.h"
#include "tests/support/window/ui_fixture.h"

namespace {

TEST(Libraries, MissingLibrariesFailAsOnWindows)
{
    for (const char* name : {"UxTheme.dll", "comctl32.dll", "dsetup.dll", "no-such-library.dll"}) {
        SetLastError(0);
        EXPECT_EQ(LoadLibrary(name), nullptr) << name;
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_MOD_NOT_FOUND) << name;
    }
    EXPECT_EQ(GetProcAddress(nullptr, "DllGetVersion"), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST(Libraries, VersionIsAnNtSystemNewEnoughForTheTray)
{
    DWORD v = GetVersion();
    EXPECT_GE(LOBYTE(LOWORD(v)), 4);
    EXPECT_EQ(v & 0x80000000u, 0u);
}

}  // namespace
