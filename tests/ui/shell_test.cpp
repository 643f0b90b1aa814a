// Shell and window lookup: a missing program fails with a small code; windows are found by their title.
#include <filesystem>

#include "tests/support/env_guard.h"
#include "tests/support/temp_folder.h"
#include "ui_fixture.h"

namespace {

TEST(Shell, MissingProgramFailsLikeTheShell)
{
    HINSTANCE r = ShellExecute(nullptr, "open", "NoSuchProgram-kestrin.exe", "http://example.invalid", nullptr, SW_SHOWNORMAL);
    EXPECT_LE(reinterpret_cast<intptr_t>(r), 32);
    r = ShellExecute(nullptr, "open", "\\no\\such\\folder\\file.txt", nullptr, nullptr, SW_SHOWNORMAL);
    EXPECT_LE(reinterpret_cast<intptr_t>(r), 32);
}

TEST(Shell, ProgramOnTheSearchPathStarts)
{
    HINSTANCE r = ShellExecute(nullptr, "open", "true", nullptr, nullptr, SW_HIDE);
    EXPECT_GT(reinterpret_cast<intptr_t>(r), 32);
}

TEST(FindWindow, FindsTopLevelWindowsByTitle)
{
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "Kestrin find-window test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(FindWindow(nullptr, "Kestrin find-window test"), w.GetSafeHwnd());
    w.SetWindowText("Renamed test window");
    EXPECT_EQ(FindWindow(nullptr, "Kestrin find-window test"), nullptr);
    EXPECT_EQ(FindWindow(nullptr, "Renamed test window"), w.GetSafeHwnd());
    w.DestroyWindow();
    EXPECT_EQ(FindWindow(nullptr, "Renamed test window"), nullptr);
}

// The lock file that marks a title for other processes lives in the session's runtime folder, else in the
// user's configuration folder, and goes with the window.
TEST(FindWindow, TitleLockFileLivesWhileTheWindowIsOpen)
{
    for (bool runtime : {true, false}) {
        TempFolder folder;
        EnvGuard env;
        env.Set("XDG_RUNTIME_DIR", runtime ? folder.Linux().c_str() : nullptr);
        env.Set("XDG_CONFIG_HOME", folder.Linux().c_str());
        const std::string lockFolder = runtime ? folder.Linux() : folder.Linux("kestrin");
        auto locks = [&] {
            int n = 0;
            std::error_code missing;
            for (const auto& entry : std::filesystem::directory_iterator(lockFolder, missing))
                n += entry.path().extension() == ".lock";
            return n;
        };
        CWnd w;
        ASSERT_TRUE(w.CreateEx(0, nullptr, "Kestrin lock test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        EXPECT_EQ(locks(), 1) << runtime;
        w.DestroyWindow();
        EXPECT_EQ(locks(), 0) << runtime;
    }
}

TEST(Themes, TheSystemIsUnthemed) { EXPECT_FALSE(IsAppThemed()); }

}  // namespace
