// Run-time libraries and the version: no Windows library loads, and the version is of the NT family.
#include "kernel/last_error.h"
#include "ui/library_registry.h"
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

INT_PTR Answer42() { return 42; }

TEST(Libraries, RegisteredLibrariesLoadByNameAndFindTheirExports)
{
    RegisterInProcessLibrary("Registered-Test.dll", {{"Answer", &Answer42}});
    HMODULE module = LoadLibrary("registered-test.DLL");
    ASSERT_NE(module, nullptr);
    FARPROC answer = GetProcAddress(module, "Answer");
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, "answer"), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PROC_NOT_FOUND);
    EXPECT_TRUE(FreeLibrary(module));

    UnregisterInProcessLibrary("Registered-Test.dll");
    EXPECT_EQ(LoadLibrary("Registered-Test.dll"), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_MOD_NOT_FOUND);
    int local = 0;
    EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(&local)));
}

TEST(Libraries, VersionIsAnNtSystemNewEnoughForTheTray)
{
    DWORD v = GetVersion();
    EXPECT_GE(LOBYTE(LOWORD(v)), 4);
    EXPECT_EQ(v & 0x80000000u, 0u);
}

}  // namespace
