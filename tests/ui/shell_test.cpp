// Shell and window lookup: a missing program fails with a small code; windows are found by their title.
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

TEST(Themes, TheSystemIsUnthemed) { EXPECT_FALSE(IsAppThemed()); }

}  // namespace
