// Dialogs: template parsing and geometry, the modal loop ended by EndDialog and by the quit message, data exchange.
#include <cstring>

#include "ui/dialog_template.h"
#include "tests/support/window/ui_fixture.h"

namespace {

const char kTemplate[] =
    "// a test dialog\n"
    "DIALOG 10, 20, 160, 90\n"
    "STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
    "CAPTION \"Test \"\"dialog\"\"\"\n"
    "FONT 8, \"MS Sans Serif\"\n"
    "BEGIN\n"
    "    EDITTEXT 1001, 7, 7, 60, 12, ES_AUTOHSCROLL\n"
    "    EDITTEXT 1002, 7, 24, 60, 12\n"
    "    AUTOCHECKBOX \"Check\", 1003, 7, 40, 60, 10\n"
    "    LTEXT \"Label\", IDC_STATIC, 80, 7, 40, 8\n"
    "    CONTROL \"\", 1004, \"Static\", SS_BLACKFRAME | NOT WS_VISIBLE, 80, 20, 20, 20, WS_EX_STATICEDGE\n"
    "    DEFPUSHBUTTON \"OK\", IDOK, 103, 69, 50, 14\n"
    "    PUSHBUTTON \"Cancel\", IDCANCEL, 46, 69, 50, 14\n"
    "END\n";

const EmbeddedResource kResources[] = {
    {"DIALOG", "9901", reinterpret_cast<const unsigned char*>(kTemplate), (unsigned)std::strlen(kTemplate)},
};

struct RegisterTestResources {
    RegisterTestResources() { RegisterResourceTable(kResources, 1); }
} g_register;

TEST(DialogTemplate, ParsesStatementsStylesAndTexts)
{
    std::string error;
    auto t = ParseDialogTemplate(kTemplate, &error);
    ASSERT_TRUE(t) << error;
    EXPECT_EQ(t->caption, "Test \"dialog\"");
    EXPECT_EQ(t->cx, 160);
    EXPECT_EQ(t->style & (WS_POPUP | WS_CAPTION), (DWORD)(WS_POPUP | WS_CAPTION));
    ASSERT_EQ(t->items.size(), 7u);
    EXPECT_EQ(t->items[0].className, "Edit");
    EXPECT_EQ(t->items[0].style, (DWORD)(WS_CHILD | WS_VISIBLE | ES_LEFT | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL));
    EXPECT_EQ(t->items[3].id, -1);
    EXPECT_EQ(t->items[4].style, (DWORD)(WS_CHILD | SS_BLACKFRAME));
    EXPECT_EQ(t->items[4].exStyle, (DWORD)WS_EX_STATICEDGE);
    EXPECT_EQ(t->items[5].style & BS_TYPEMASK, (DWORD)BS_DEFPUSHBUTTON);
}

TEST(DialogTemplate, ReportsTheFailingLine)
{
    std::string error;
    EXPECT_FALSE(ParseDialogTemplate("DIALOG 0, 0, 10, 10\nSTYLE WS_NOSUCH\n", &error));
    EXPECT_NE(error.find("line 2"), std::string::npos);
    EXPECT_FALSE(ParseDialogTemplate("CAPTION \"x\"\n", &error));
    EXPECT_FALSE(ParseDialogTemplate("DIALOG 0, 0, 10, 10\nLTEXT \"open, 1, 2, 3, 4, 5\n", &error));
}

class TestDialog : public CDialog {
public:
    explicit TestDialog(CWnd* parent = nullptr) : CDialog(9901, parent) {}
    int number = 5;
    CString text = "hello";
    int checked = 1;
    int endWith = 0;    // EndDialog from a timer with this result
    bool quit = false;  // post the quit message instead
    bool geometryOk = false;
    RECT editRect{}, expectedRect{};

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Text(dx, 1001, number);
        DDV_MinMaxInt(dx, number, 1, 10);
        DDX_Text(dx, 1002, text);
        DDX_Check(dx, 1003, checked);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        GetDlgItem(1001)->GetWindowRect(&editRect);
        ScreenToClient(&editRect);
        expectedRect = RECT{7, 7, 67, 19};
        MapDialogRect(&expectedRect);
        if (endWith || quit)
            SetTimer(1, 10, nullptr);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        KillTimer(1);
        if (quit)
            PostQuitMessage(0);
        else
            EndDialog(endWith);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(Dialog, ControlsSitAtTheirDialogUnits)
{
    TestDialog dlg;
    dlg.endWith = 42;
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(CRect(dlg.editRect), CRect(dlg.expectedRect));
    EXPECT_GT(dlg.expectedRect.right - dlg.expectedRect.left, 60);  // units are wider than a pixel
}

TEST(Dialog, ParentWithoutAWindowLeavesTheDialogOwnerless)
{
    CWnd neverMade;
    TestDialog dlg(&neverMade);
    dlg.endWith = 7;
    EXPECT_EQ(dlg.DoModal(), 7);
}

TEST(Dialog, QuitMessageEndsTheModalLoop)
{
    TestDialog dlg;
    dlg.quit = true;
    EXPECT_EQ(dlg.DoModal(), -1);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));  // the quit message stays for the outer loop
    EXPECT_EQ(msg.message, (UINT)WM_QUIT);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST(Dialog, DataExchangeRoundTripAndValidation)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(9901));
    CString s;
    dlg.GetDlgItemText(1001, s);
    EXPECT_EQ(s, "5");
    dlg.GetDlgItemText(1002, s);
    EXPECT_EQ(s, "hello");
    EXPECT_EQ(dlg.IsDlgButtonChecked(1003), 1u);

    dlg.SetDlgItemText(1001, "7");
    dlg.SetDlgItemText(1002, "world");
    dlg.CheckDlgButton(1003, 0);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.number, 7);
    EXPECT_EQ(dlg.text, "world");
    EXPECT_EQ(dlg.checked, 0);
    EXPECT_EQ(dlg.GetDlgItemInt(1001), 7u);

    RecordingPromptService& prompts = GetRecordingPromptService();
    prompts.Clear();
    dlg.SetDlgItemText(1001, "11");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].text, "Please enter an integer between 1 and 10.");
    dlg.SetDlgItemText(1001, "x1");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(prompts.Messages().back().text, "Please enter an integer.");
    dlg.DestroyWindow();
}

class EscDialog : public TestDialog {
protected:
    BOOL OnInitDialog() override
    {
        TestDialog::OnInitDialog();
        PostMessage(WM_USER + 1);
        return TRUE;
    }
    LRESULT OnGo(WPARAM, LPARAM)
    {
        GetDlgItem(1002)->SetFocus();
        PressKey(VK_ESCAPE);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(EscDialog, TestDialog)
ON_MESSAGE(WM_USER + 1, OnGo)
END_MESSAGE_MAP()

TEST(Dialog, EscapeEndsWithCancel)
{
    EscDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

}  // namespace
