// The text entry dialog's four outcomes, the input text box and the choice dialog.
#include "composer/choice_dialog.h"
#include "composer/input_text_dialog.h"
#include "composer/text_entry_dialog.h"
#include "notify_owner.h"

namespace {

using Posts = std::vector<std::pair<WPARAM, LPARAM>>;

constexpr WPARAM kEntryCode = 1051;

class TextEntry : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(entry.Create(CTextEntryDialog::IDD, &owner));
        entry.SetNotify(&owner, kNotifyMessage, kEntryCode);
        entry.ShowWindow(SW_SHOW);
    }
    void TearDown() override { entry.DestroyWindow(); }

    // A key pressed in the edit, through the dialog's pre-translation as the message loop does.
    void Key(WORD vk)
    {
        MSG msg{entry.GetDlgItem(CTextEntryDialog::kEditId)->GetSafeHwnd(), WM_KEYDOWN, vk, 0, 0, {}};
        entry.PreTranslateMessage(&msg);
    }

    NotifyOwner owner;
    CTextEntryDialog entry;
};

TEST_F(TextEntry, SeparatorsEndTheSyllable)
{
    const struct {
        const char* typed;
        Posts posts;
        const char* stored;
    } cases[] = {
        {"la", {}, "la"},
        {"la ", {{kEntryCode, 0}}, "la"},
        {"la-", {{kEntryCode, 1}}, "la"},
        {"la\xE3\x80\x80", {{kEntryCode, 0}}, "la"},         // full-width space
        {"la\xEF\xBC\x8D", {{kEntryCode, 1}}, "la"},         // full-width hyphen
        {"la- ", {{kEntryCode, 0}, {kEntryCode, 1}}, "la"},  // the space first, then the hyphen
        {"la -", {{kEntryCode, 1}}, "la "},                  // only the last separator goes
        {"\xE4\xB8\xAD", {}, "\xE4\xB8\xAD"},                // a character is no separator
    };
    for (const auto& c : cases) {
        entry.SetDlgItemText(CTextEntryDialog::kEditId, c.typed);
        EXPECT_EQ(owner.Take(), c.posts) << c.typed;
        EXPECT_EQ(entry.m_strText, c.stored) << c.typed;
    }
}

TEST_F(TextEntry, BackspaceInAnEmptyEditAndEnterNotify)
{
    entry.SetText("la");
    owner.Take();
    Key(VK_BACK);
    EXPECT_EQ(owner.Take(), Posts{});
    entry.SetText("");
    owner.Take();
    Key(VK_BACK);
    EXPECT_EQ(owner.Take(), (Posts{{kEntryCode, 2}}));
    Key(VK_RETURN);
    EXPECT_EQ(owner.Take(), (Posts{{kEntryCode, 3}}));
}

TEST_F(TextEntry, TypedSpaceCommitsTheSyllable)
{
    CWnd* edit = entry.GetDlgItem(CTextEntryDialog::kEditId);
    ASSERT_TRUE(PumpUntil([&] { return CWnd::GetFocus() == edit; }));
    for (WORD vk : {WORD('L'), WORD('A'), WORD(VK_SPACE)})
        PressKey(vk);
    ASSERT_TRUE(PumpUntil([&] { return !owner.posts.empty(); }));
    EXPECT_EQ(owner.Take(), (Posts{{kEntryCode, 0}}));
    CString typed = entry.m_strText;
    typed.MakeLower();
    EXPECT_EQ(typed, "la");
}

TEST(InputTextDialog, CaretStandsAtTheEndAndOkReturnsTheText)
{
    CInputTextDialog dialog("Allegro");
    ASSERT_TRUE(dialog.Create(CInputTextDialog::IDD));
    dialog.ShowWindow(SW_SHOW);
    PumpFor(200);
    CString caption;
    dialog.GetWindowText(caption);
    EXPECT_EQ(caption, "Input Text");
    const DWORD selection = static_cast<DWORD>(dialog.SendDlgItemMessage(CInputTextDialog::kEditId, EM_GETSEL));
    EXPECT_EQ(LOWORD(selection), 7);
    EXPECT_EQ(HIWORD(selection), 7);
    dialog.SetDlgItemText(CInputTextDialog::kEditId, "Adagio");
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_strText, "Adagio");
    dialog.DestroyWindow();
}

TEST(ChoiceDialog, ShowsTheChoiceAndFollowsTheRadios)
{
    CChoiceDialog dialog;
    dialog.m_nChoice = 1;
    ASSERT_TRUE(dialog.Create(CChoiceDialog::IDD));
    dialog.ShowWindow(SW_SHOW);
    EXPECT_EQ(dialog.IsDlgButtonChecked(CChoiceDialog::kFirstRadioId), 0u);
    EXPECT_EQ(dialog.IsDlgButtonChecked(CChoiceDialog::kSecondRadioId), 1u);
    CString text;
    dialog.GetWindowText(text);
    EXPECT_EQ(text, "Repeat sign");
    dialog.GetDlgItemText(IDCANCEL, text);
    EXPECT_EQ(text, "Cancel");

    CWnd* first = dialog.GetDlgItem(CChoiceDialog::kFirstRadioId);
    CRect rect;
    first->GetClientRect(&rect);
    ClickAt(first->GetSafeHwnd(), 6, rect.Height() / 2);
    EXPECT_TRUE(PumpUntil([&] { return dialog.m_nChoice == 0; }));
    EXPECT_EQ(dialog.IsDlgButtonChecked(CChoiceDialog::kFirstRadioId), 1u);
    dialog.DestroyWindow();
}

}  // namespace
