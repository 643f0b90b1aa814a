// Shell and window lookup: a missing program fails with a small code; browsers open the default browser;
// a window hidden to a tray icon that could not be added stays reachable; windows are found by their title.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/env_guard.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window/ui_fixture.h"

namespace {

TEST(Shell, MissingProgramFailsLikeTheShell)
{
    HINSTANCE r =
        ShellExecute(nullptr, "open", "NoSuchProgram-kestrin.exe", "http://example.invalid", nullptr, SW_SHOWNORMAL);
    EXPECT_LE(reinterpret_cast<intptr_t>(r), 32);
    r = ShellExecute(nullptr, "open", "\\no\\such\\folder\\file.txt", nullptr, nullptr, SW_SHOWNORMAL);
    EXPECT_LE(reinterpret_cast<intptr_t>(r), 32);
}

TEST(Shell, ProgramOnTheSearchPathStarts)
{
    HINSTANCE r = ShellExecute(nullptr, "open", "true", nullptr, nullptr, SW_HIDE);
    EXPECT_GT(reinterpret_cast<intptr_t>(r), 32);
}

// A temporary folder with an xdg-open that writes what it was asked to open, put first on the search path.
class FakeOpener {
public:
    FakeOpener()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/ui-opener-XXXXXX";
        m_dir = mkdtemp(templ.data()) ? templ : "";
        std::ofstream(m_dir + "/xdg-open") << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << m_dir << "/opened.tmp\"\nmv \""
                                           << m_dir << "/opened.tmp\" \"" << m_dir << "/opened\"\n";
        std::filesystem::permissions(m_dir + "/xdg-open", std::filesystem::perms::owner_all);
        m_oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        setenv("PATH", (m_dir + ":" + m_oldPath).c_str(), 1);
    }
    ~FakeOpener()
    {
        setenv("PATH", m_oldPath.c_str(), 1);
        std::filesystem::remove_all(m_dir);
    }
    std::string Opened() const
    {
        std::ifstream in(m_dir + "/opened");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    std::string m_dir;
    std::string m_oldPath;
};

TEST(Shell, BrowserProgramOpensThePageInTheDefaultBrowser)
{
    FakeOpener opener;
    HINSTANCE r = ShellExecute(nullptr, nullptr, "Iexplore.exe", "http://example.invalid/home", nullptr, SW_SHOWNORMAL);
    EXPECT_GT(reinterpret_cast<intptr_t>(r), 32);
    EXPECT_TRUE(PumpUntil([&] { return !opener.Opened().empty(); }));
    EXPECT_EQ(opener.Opened(), "http://example.invalid/home");
}

TEST(Tray, HidingToAnIconThatCouldNotBeAddedMinimisesInstead)
{
    CWnd w;
    ASSERT_TRUE(
        w.CreateEx(0, nullptr, "tray owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200, 120, nullptr, nullptr));
    NOTIFYICONDATA d{};
    d.cbSize = sizeof(d);
    d.hWnd = w.GetSafeHwnd();
    d.uID = 1;
    d.uFlags = NIF_MESSAGE | NIF_TIP;
    d.uCallbackMessage = WM_USER + 10;
    ASSERT_FALSE(Shell_NotifyIcon(NIM_ADD, &d));  // a virtual display has no notification area
    w.ShowWindow(SW_HIDE);
    EXPECT_TRUE(w.IsWindowVisible());
    Shell_NotifyIcon(NIM_DELETE, &d);
    w.ShowWindow(SW_HIDE);  // without a pending tray add, hiding hides
    EXPECT_FALSE(w.IsWindowVisible());
    w.DestroyWindow();
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
