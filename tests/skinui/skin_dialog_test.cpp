// The skinned dialog base: caption buttons placed from the skin, their commands, dragging by the caption strip.
#include "services/composer_globals.h"
#include "services/ini_file.h"
#include "skin_dialog_fixture.h"
#include "tests/support/test_data.h"

namespace {

void ReplaceInFile(const std::string& path, const std::string& from, const std::string& to)
{
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    std::ofstream(path, std::ios::binary) << text.replace(at, from.size(), to);
}

bool QuitPosted()
{
    MSG msg;
    return PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

TEST_F(SkinDialogTest, MainCaptionButtonsStepLeftByThePreviouslyLoadedWidth)
{
    TestSkinDialog dlg(CSkinDialog::CAPTION_MAIN);
    ASSERT_TRUE(dlg.Open(300, 120));
    CRect window;
    dlg.GetWindowRect(&window);
    int right = window.Width() - 1;
    // close 16 wide; maximise steps by 16 and is 14 wide; restore shares its place; minimise steps by
    // restore's 14; tray by minimise's 12; help by tray's 16; about by help's 14.
    int close = right - 16, max = close - 16, min = max - 14, tray = min - 12, help = tray - 16, about = help - 14;
    const struct {
        CSkinButton* button;
        CRect rect;
        UINT id;
    } expected[] = {
        {&dlg.m_btnClose, CRect(close, 1, close + 16, 15), 300}, {&dlg.m_btnMaximize, CRect(max, 1, max + 14, 15), 303},
        {&dlg.m_btnRestore, CRect(max, 1, max + 14, 15), 304},   {&dlg.m_btnMinimize, CRect(min, 1, min + 12, 15), 302},
        {&dlg.m_btnToTray, CRect(tray, 1, tray + 16, 15), 301},  {&dlg.m_btnHelp, CRect(help, 1, help + 14, 15), 2007},
        {&dlg.m_btnAbout, CRect(about, 1, about + 18, 15), 42},
    };
    for (const auto& e : expected) {
        ASSERT_TRUE(e.button->GetSafeHwnd()) << e.id;
        EXPECT_EQ(dlg.ChildRect(*e.button), e.rect) << e.id;
        EXPECT_EQ((UINT)e.button->GetDlgCtrlID(), e.id);
    }
    EXPECT_TRUE(dlg.m_btnMaximize.IsWindowVisible());
    EXPECT_FALSE(dlg.m_btnRestore.IsWindowVisible());
    EXPECT_FALSE(dlg.m_btnHomePage.GetSafeHwnd());
}

TEST_F(SkinDialogTest, ChildDialogHasOnlyTheCloseButtonWhichCancels)
{
    TestSkinDialog dlg(CSkinDialog::CAPTION_CHILD);
    ASSERT_TRUE(dlg.Open());
    EXPECT_TRUE(dlg.m_btnClose.GetSafeHwnd());
    for (CSkinButton* b : {&dlg.m_btnMaximize, &dlg.m_btnMinimize, &dlg.m_btnToTray, &dlg.m_btnAbout})
        EXPECT_FALSE(b->GetSafeHwnd());
    dlg.PostMessage(WM_SKINCOMMAND, 300, 0);
    PumpFor(50);
    EXPECT_EQ(dlg.cancels, 1);
    EXPECT_FALSE(QuitPosted());
}

TEST_F(SkinDialogTest, MainCloseEndsTheMessageLoop)
{
    TestSkinDialog dlg(CSkinDialog::CAPTION_MAIN);
    ASSERT_TRUE(dlg.Open());
    dlg.SendMessage(WM_SKINCOMMAND, 300, 0);
    EXPECT_TRUE(QuitPosted());
    EXPECT_EQ(dlg.cancels, 0);
}

// Maximise fills the display's work area, with or without a window manager, and swaps the pair; restore gives the
// window back its place and size.
TEST_F(SkinDialogTest, MaximiseFillsTheWorkAreaAndRestoreGivesTheSizeBack)
{
    TestSkinDialog dlg(CSkinDialog::CAPTION_MAIN);
    ASSERT_TRUE(dlg.Open(300, 120));
    CRect normal, area, r;
    dlg.GetWindowRect(&normal);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    CRect pair = dlg.ChildRect(dlg.m_btnMaximize);
    dlg.PostMessage(WM_SKINCOMMAND, 303, 0);
    PumpFor(50);
    EXPECT_EQ(dlg.m_bMaximized, 1);
    EXPECT_EQ(dlg.m_bSizedByCaption, 1);
    EXPECT_TRUE(dlg.IsZoomed());
    dlg.GetWindowRect(&r);
    EXPECT_EQ(r, area);
    EXPECT_FALSE(dlg.m_btnMaximize.IsWindowVisible());
    EXPECT_TRUE(dlg.m_btnRestore.IsWindowVisible());
    // The pair and its neighbours follow the right edge; the pair steps its neighbours by maximise's width.
    CRect wide = dlg.ChildRect(dlg.m_btnRestore);
    EXPECT_EQ(wide, pair + CPoint(area.Width() - normal.Width(), 0));
    EXPECT_EQ(dlg.ChildRect(dlg.m_btnMinimize).left, wide.left - 14);
    dlg.PostMessage(WM_SKINCOMMAND, 304, 0);
    PumpFor(50);
    EXPECT_EQ(dlg.m_bMaximized, 0);
    EXPECT_FALSE(dlg.IsZoomed());
    dlg.GetWindowRect(&r);
    EXPECT_EQ(r, normal);
    EXPECT_TRUE(dlg.m_btnMaximize.IsWindowVisible());
    EXPECT_FALSE(dlg.m_btnRestore.IsWindowVisible());
    EXPECT_EQ(dlg.ChildRect(dlg.m_btnMaximize), pair);
}

TEST_F(SkinDialogTest, UnknownCommandsAreIgnored)
{
    TestSkinDialog dlg(CSkinDialog::CAPTION_CHILD);
    ASSERT_TRUE(dlg.Open());
    for (WPARAM id : {0, 299, 305, 1030, 2000, 9999})
        dlg.SendMessage(WM_SKINCOMMAND, id, 0);
    EXPECT_EQ(dlg.cancels, 0);
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_FALSE(QuitPosted());
}

TEST_F(SkinDialogTest, ClickOnTheCloseButtonPostsItsCommand)
{
    TestSkinDialog dlg(CSkinDialog::CAPTION_CHILD);
    ASSERT_TRUE(dlg.Open());
    CRect close = dlg.ChildRect(dlg.m_btnClose);
    MoveTo(dlg.GetSafeHwnd(), close.CenterPoint().x, close.CenterPoint().y);
    Press();
    Release();
    PumpFor(50);
    EXPECT_EQ(dlg.cancels, 1);
}

TEST_F(SkinDialogTest, PressInTheTopTwentyOnePixelsDragsTheWindow)
{
    TestSkinDialog dlg(CSkinDialog::CAPTION_CHILD);
    ASSERT_TRUE(dlg.Open());
    const struct {
        int y;
        bool drags;
    } cases[] = {{20, true}, {21, false}, {0, true}, {60, false}};
    for (const auto& c : cases) {
        CRect before;
        dlg.GetWindowRect(&before);
        MoveTo(dlg.GetSafeHwnd(), 100, c.y);
        Press();
        MoveTo(dlg.GetSafeHwnd(), 130, c.y + 25);
        Release();
        PumpFor(50);
        CRect after;
        dlg.GetWindowRect(&after);
        EXPECT_EQ(after.TopLeft(), c.drags ? before.TopLeft() + CSize(30, 25) : before.TopLeft()) << "y " << c.y;
    }
}

TEST_F(SkinDialogTest, ReloadAfterASkinChangeResizesAndReplacesTheButtons)
{
    TestSkinDialog dlg(CSkinDialog::CAPTION_MAIN);
    ASSERT_TRUE(dlg.Open(300, 120));
    // The changed skin's close button is 30 wide: every button to its left moves by the difference.
    ReplaceInFile(program.Linux() + "/skin-com/skin-1/skin.ini", "position=0,0,16,14", "position=0,0,30,14");
    CRect about = dlg.ChildRect(dlg.m_btnAbout);
    dlg.ReloadCaptionButtons();
    CRect window;
    dlg.GetWindowRect(&window);
    CRect close = dlg.ChildRect(dlg.m_btnClose);
    EXPECT_EQ(close.left, window.Width() - 31);
    EXPECT_EQ(close.right, window.Width() - 1);
    EXPECT_EQ(dlg.ChildRect(dlg.m_btnAbout).left, about.left - 28);
}

TEST_F(SkinDialogTest, ConverterPlacesItsOwnCaptionButtonsWhenAsked)
{
    SetDeliverable(DELIVERABLE_CONVERTER);
    TestSkinDialog dlg(CSkinDialog::CAPTION_MAIN);
    ASSERT_TRUE(dlg.Open(300, 120));
    EXPECT_FALSE(dlg.m_btnClose.GetSafeHwnd());
    dlg.CreateCaptionButtons();
    CRect window;
    dlg.GetWindowRect(&window);
    int close = window.Width() - 1 - 16;
    EXPECT_EQ(dlg.ChildRect(dlg.m_btnClose), CRect(close, 0, close + 16, 14));
    EXPECT_EQ(dlg.m_btnClose.GetDlgCtrlID(), 1030);
    CSkinButton* placed[] = {&dlg.m_btnToTray, &dlg.m_btnMinimize, &dlg.m_btnHomePage, &dlg.m_btnHelp};
    const int ids[] = {1031, 1032, 2002, 2003};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dlg.ChildRect(*placed[i]), kConverterPlaced[i].rect) << i;
        EXPECT_EQ(placed[i]->GetDlgCtrlID(), ids[i]);
    }
    EXPECT_FALSE(dlg.m_btnAbout.GetSafeHwnd());
    dlg.SendMessage(WM_SKINCOMMAND, 300, 0);
    EXPECT_FALSE(QuitPosted());
    dlg.SendMessage(WM_SKINCOMMAND, 1030, 0);
    EXPECT_TRUE(QuitPosted());
}

// The caption buttons that no skin element dresses take their tips from the language file, and a reload after a
// language change shows the new language's.
TEST_F(SkinDialogTest, UnskinnedCaptionTipsFollowTheLanguage)
{
    for (const char* name : {"lang/lang001.ini", "lang/lang002.ini"}) {
        std::filesystem::create_directories(program.Linux() + "/lang");
        std::filesystem::copy_file(SourcePath(std::string("data/") + name), program.Linux() + "/" + name);
    }
    SetDeliverable(DELIVERABLE_CONVERTER);
    TestSkinDialog dlg(CSkinDialog::CAPTION_MAIN), frame(CSkinDialog::CAPTION_FRAME);
    ASSERT_TRUE(dlg.Open(300, 120));
    ASSERT_TRUE(frame.Open(300, 120));
    MainDialogLink link;
    link.pDialog = &dlg;
    SetMainDialog(link);
    CSkinButton* buttons[] = {&dlg.m_btnClose, &dlg.m_btnToTray,     &dlg.m_btnMinimize, &dlg.m_btnHomePage,
                              &dlg.m_btnHelp,  &frame.m_btnMaximize, &frame.m_btnRestore};
    const struct {
        const char* language;
        const char* tips[7];
    } cases[] = {
        {"2", {"关闭", "隐藏到托盘", "最小化", "主页", "帮助", "最大化", "还原"}},
        {"1", {"Close", "Hide to the tray", "Minimize", "Home page", "Help", "Maximize", "Restore"}},
    };
    for (const auto& c : cases) {
        CIniFile common(program.File("common.ini"));
        common.SetSection("common");
        common.WriteString("curlang", c.language);
        if (dlg.m_btnClose.GetSafeHwnd()) {
            dlg.ReloadCaptionButtons();
            frame.ReloadCaptionButtons();
        } else {
            dlg.CreateCaptionButtons();
            frame.CreateCaptionButtons();
        }
        for (int i = 0; i < 7; ++i)
            EXPECT_STREQ(buttons[i]->GetTip(), c.tips[i]) << "language " << c.language << ", button " << i;
    }
    SetMainDialog(MainDialogLink());
}

}  // namespace
