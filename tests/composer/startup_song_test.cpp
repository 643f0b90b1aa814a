// A stand-alone start whose first argument names a song: the main window comes up with that song open.
#include <filesystem>
#include <string>

#include "composer/composer_app.h"
#include "composer/composer_dlg.h"
#include "kernel/path_map.h"
#include "tests/support/test_data.h"
#include "tests/support/window/ui_fixture.h"

namespace {

struct Seen {
    bool looked = false;
    CString fileName;
    bool hasNotes = false;
    CString status;
};
Seen g_seen;

void LookThenClose(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto* dlg = static_cast<CComposerDlg*>(AfxGetMainWnd());
    if (!dlg)
        return;
    g_seen.looked = true;
    g_seen.fileName = dlg->m_scoreView.score.fileName;
    g_seen.hasNotes = dlg->m_scoreView.score.GetTrack(0)->notes != nullptr;
    g_seen.status = dlg->m_labels[LBL_STATUS_LEFT].GetText();
    PostMessage(dlg->m_hWnd, WM_COMMAND, IDC_CLOSE_COMMAND, 0);
}

TEST(StartupSong, ASongNamedOnTheCommandLineIsOpenedWithItsFullPath)
{
    const std::filesystem::path song = std::filesystem::canonical(TestDataPath("midi/bach_format0.mid"));
    const std::filesystem::path before = std::filesystem::current_path();
    // Named relative to the working folder, as a shell hands it over.
    std::filesystem::current_path(song.parent_path());
    std::string program = "kestrin", argument = song.filename().string();
    char* argv[] = {program.data(), argument.data(), nullptr};
    const int savedArgc = __argc;
    char** const savedArgv = __argv;
    __argc = 2;
    __argv = argv;
    g_seen = Seen();
    {
        CComposerApp app;
        SetTimer(nullptr, 0, 500, LookThenClose);
        EXPECT_FALSE(app.InitInstance());
    }
    __argc = savedArgc;
    __argv = savedArgv;
    std::filesystem::current_path(before);

    ASSERT_TRUE(g_seen.looked);
    const CString expected = ToWindowsPath(song.string()).c_str();
    EXPECT_EQ(g_seen.fileName, expected);
    EXPECT_TRUE(g_seen.hasNotes);
    EXPECT_EQ(g_seen.status, CString(song.string().c_str()));  // the status field shows the Linux path
}

TEST(StartupSong, ASuiteStartOrNoArgumentNamesNoSong)
{
    g_bStandAlone = 0;
    EXPECT_TRUE(StartupSongPath("song.mid").IsEmpty());
    g_bStandAlone = 1;
    EXPECT_TRUE(StartupSongPath("").IsEmpty());
    EXPECT_EQ(StartupSongPath("/a/b/../song.mid"), "\\a\\song.mid");
}

}  // namespace
