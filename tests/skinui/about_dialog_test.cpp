// The about box: its texts in both programs' templates, the mail and log folder commands, and how it closes.
#include "skinui/about_dialog.h"

#include <cstdlib>

#include "services/documents_folder.h"
#include "services/log_writer.h"
#include "skin_dialog_fixture.h"

namespace {

CString Text(CWnd& dlg, int id)
{
    CString text;
    if (CWnd* control = dlg.GetDlgItem(id))
        control->GetWindowText(text);
    return text;
}

// Puts a recording xdg-open first on the search path, so that opening addresses and folders can be seen.
class RecordingOpener {
public:
    explicit RecordingOpener(const SkinTempFolder& folder) : m_log(folder.Linux() + "/opened.txt")
    {
        std::string bin = folder.Linux() + "/bin";
        std::filesystem::create_directories(bin);
        std::ofstream(bin + "/xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << m_log << "'\n";
        std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
        const char* path = std::getenv("PATH");
        m_oldPath = path ? path : "";
        setenv("PATH", (bin + ":" + m_oldPath).c_str(), 1);
    }
    ~RecordingOpener() { setenv("PATH", m_oldPath.c_str(), 1); }
    std::string Opened()
    {
        PumpUntil([&] { return std::filesystem::exists(m_log); });
        std::ifstream in(m_log);
        std::string line;
        std::getline(in, line);
        return line;
    }

private:
    std::string m_log;
    std::string m_oldPath;
};

TEST_F(SkinDialogTest, AboutBoxTextsInBothPrograms)
{
    g_strProductTitle = "Kestrin";
    for (KestrinDeliverable program : {DELIVERABLE_COMPOSER, DELIVERABLE_CONVERTER}) {
        SetDeliverable(program);
        CAboutDialog dlg("About title", nullptr);
        ASSERT_TRUE(dlg.Create(program == DELIVERABLE_CONVERTER ? 200 : 100));
        EXPECT_EQ(Text(dlg, IDOK), "Fine");
        EXPECT_EQ(Text(dlg, 510), "Kestrin - Ver 2.00");
        EXPECT_EQ(Text(dlg, 511), CString(g_szBrandText) + "All rights kept.");
        EXPECT_EQ(Text(dlg, 512), CString("Write to ") + g_szSupportMail);
        EXPECT_EQ(Text(dlg, 3041), "Log folder");
        CRect picture;
        dlg.GetDlgItem(128)->GetWindowRect(&picture);
        EXPECT_TRUE(picture.IsRectEmpty());
        // A child-mode caption: the close button only, in either program.
        EXPECT_TRUE(dlg.m_btnClose.GetSafeHwnd());
        EXPECT_FALSE(dlg.m_btnMinimize.GetSafeHwnd());
        EXPECT_EQ(dlg.m_nCaptionMode, CSkinDialog::CAPTION_CHILD);
        dlg.DestroyWindow();
    }
}

TEST_F(SkinDialogTest, AboutBoxMailLineOpensAMailAddress)
{
    RecordingOpener opener(program);
    CAboutDialog dlg("About", nullptr);
    ASSERT_TRUE(dlg.Create(100));
    dlg.ShowWindow(SW_SHOW);
    PumpFor(50);
    CRect mail;
    dlg.GetDlgItem(512)->GetWindowRect(&mail);
    dlg.ScreenToClient(&mail);
    ClickAt(dlg.GetSafeHwnd(), mail.CenterPoint().x, mail.CenterPoint().y);
    EXPECT_EQ(opener.Opened(), std::string("mailto:") + g_szSupportMail);
    dlg.DestroyWindow();
}

TEST_F(SkinDialogTest, AboutBoxLogButtonOpensTheLogFolder)
{
    RecordingOpener opener(program);
    // A documents folder of the test's own, holding the log folder.
    std::string documents = program.Linux() + "/documents";
    std::filesystem::create_directories(documents + "/quaverly");
    const char* old = std::getenv("XDG_DOCUMENTS_DIR");
    std::string oldDocuments = old ? old : "";
    setenv("XDG_DOCUMENTS_DIR", documents.c_str(), 1);
    CAboutDialog dlg("About", nullptr);
    ASSERT_TRUE(dlg.Create(100));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(3041, BN_CLICKED), (LPARAM)dlg.GetDlgItem(3041)->GetSafeHwnd());
    std::string folder = MapPath(GetDocumentsFolder() + "\\" + g_strLogSubFolder);
    EXPECT_EQ(std::filesystem::path(opener.Opened()).lexically_normal(),
              std::filesystem::path(documents + "/quaverly/").lexically_normal());
    EXPECT_EQ(std::filesystem::path(folder).lexically_normal(),
              std::filesystem::path(documents + "/quaverly/").lexically_normal());
    dlg.DestroyWindow();
    if (old)
        setenv("XDG_DOCUMENTS_DIR", oldDocuments.c_str(), 1);
    else
        unsetenv("XDG_DOCUMENTS_DIR");
}

// The modal box answers the key pressed once it is up; the caption's about command opens it without parent.
struct ModalProbe {
    static inline WORD key = 0;
    static inline CString title;
    static inline bool hadParent = true;
    static void CALLBACK Press(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        // The box gives its first control the focus when it opens.
        CWnd* wnd = CWnd::FromHandle(GetFocus());
        while (wnd && !dynamic_cast<CAboutDialog*>(wnd))
            wnd = wnd->GetParent();
        auto* about = dynamic_cast<CAboutDialog*>(wnd);
        if (!about) {
            // Ends the modal loop, so the test fails instead of waiting.
            PostQuitMessage(0);
            return;
        }
        title = about->m_strTitle;
        hadParent = about->GetParent() != nullptr;
        PressKey(key);
        // A key that leaves the box open fails the test instead of leaving it waiting.
        box = about->GetSafeHwnd();
        giveUp = SetTimer(nullptr, 0, 2000, GiveUp);
    }
    static inline HWND box = nullptr;
    static inline UINT_PTR giveUp = 0;
    static void CALLBACK GiveUp(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        if (IsWindow(box))
            EndDialog(box, IDABORT);
    }
};

TEST_F(SkinDialogTest, AboutBoxClosesWithEnterAndEscape)
{
    RecordingOpener opener(program);
    const struct {
        WORD key;
        INT_PTR result;
    } cases[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const auto& c : cases) {
        ModalProbe::key = c.key;
        SetTimer(nullptr, 0, 200, ModalProbe::Press);
        CAboutDialog dlg("About", nullptr);
        EXPECT_EQ(dlg.DoModal(), c.result);
        KillTimer(nullptr, ModalProbe::giveUp);
        MSG quit;
        EXPECT_FALSE(PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    }
}

TEST_F(SkinDialogTest, AboutCommandOpensTheBoxWithoutParentTitledByTheAboutTip)
{
    TestSkinDialog main(CSkinDialog::CAPTION_MAIN);
    ASSERT_TRUE(main.Open());
    ModalProbe::key = VK_ESCAPE;
    ModalProbe::title = "";
    SetTimer(nullptr, 0, 200, ModalProbe::Press);
    main.SendMessage(WM_SKINCOMMAND, 42, 0);
    KillTimer(nullptr, ModalProbe::giveUp);
    MSG quit;
    EXPECT_FALSE(PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(ModalProbe::title, "Tip 42");
    EXPECT_FALSE(ModalProbe::hadParent);
}

}  // namespace
