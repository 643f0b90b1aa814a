// The combo's drop-down: where it opens and how large, the list's selection over disabled rows, choosing with
// the mouse and closing by a click elsewhere.
#include "combo_fixture.h"

namespace {

TEST(AdvComboDropWnd, OpensBelowTheComboWithARowForEachItem)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    combo.SetMaxVisibleItems(16);
    KeyDown(combo, VK_F4);
    CAdvComboDropWnd* drop = combo.GetDropWnd();
    ASSERT_TRUE(drop);
    CRect comboRect, dropRect;
    combo.GetWindowRect(&comboRect);
    drop->GetWindowRect(&dropRect);
    int rowHeight = drop->GetListBox()->GetItemHeight(0);
    ASSERT_GT(rowHeight, 0);
    EXPECT_EQ(dropRect.Height(), 10 * rowHeight + 2);
    EXPECT_EQ(dropRect.top, comboRect.bottom);
    EXPECT_EQ(dropRect.left, comboRect.left);
    EXPECT_EQ(dropRect.Width(), comboRect.Width()) << "short texts: as wide as the combo";
}

TEST(AdvComboDropWnd, OpensAboveTheComboWithoutRoomForFiveRowsBelow)
{
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    ComboParent parent(100, screenHeight - 50);
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"1", "2", "3"});
    KeyDown(combo, VK_F4);
    CRect comboRect, dropRect;
    combo.GetWindowRect(&comboRect);
    combo.GetDropWnd()->GetWindowRect(&dropRect);
    EXPECT_EQ(dropRect.bottom, comboRect.top);
    EXPECT_EQ(dropRect.Height(), 3 * combo.GetDropWnd()->GetListBox()->GetItemHeight(0) + 2);
}

TEST(AdvComboDropWnd, WideTextsMoveTheDropDownLeftOfTheScreenEdge)
{
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    ComboParent parent(screenWidth - 200, 100);
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"a text much wider than the combo box that shows it, wider still"});
    KeyDown(combo, VK_F4);
    CRect dropRect;
    combo.GetDropWnd()->GetWindowRect(&dropRect);
    EXPECT_GT(dropRect.Width(), 150);
    EXPECT_EQ(dropRect.right, screenWidth);
}

// The list's selection skips disabled rows and stays inside the list at either end.
TEST(AdvComboDropWnd, SelectionSkipsDisabledRowsWithinTheList)
{
    struct Case {
        const char* what;
        std::vector<int> disabled;
        int from;
        int to;
        int answer;
        int selectedAfter;
    } cases[] = {
        {"down over a disabled row", {0, 1, 0, 0}, 0, 1, 2, 2},
        {"up over a disabled row", {0, 1, 0, 0}, 3, 1, 0, 0},
        {"down into disabled rows up to the end", {0, 0, 1, 1}, 1, 2, 3, 1},
        {"up into disabled rows down to the start", {1, 1, 0, 0}, 2, 1, 0, 2},
        {"beyond the end", {0, 0, 0, 0}, 1, 4, LB_ERR, 1},
        {"before the start", {0, 0, 0, 0}, 1, -1, LB_ERR, 1},
    };
    for (const Case& c : cases) {
        ComboParent parent;
        CAdvComboBox combo;
        MakeCombo(combo, parent, CBS_DROPDOWNLIST, {});
        std::vector<CAdvComboItem> items(4);
        for (int i = 0; i < 4; ++i) {
            items[i].strText.Format("row %d", i);
            items[i].bDisabled = c.disabled[i];
        }
        CAdvComboDropWnd drop(&combo, items, ACBS_STANDARD);
        ASSERT_TRUE(drop.Create(WS_CHILD | WS_BORDER, CRect(100, 300, 250, 400), CWnd::GetDesktopWindow(), 6));
        CAdvComboListBox* list = drop.GetListBox();
        list->CListBox::SetCurSel(c.from);
        EXPECT_EQ(list->SetCurSel(c.to), c.answer) << c.what;
        EXPECT_EQ(list->GetCurSel(), c.selectedAfter) << c.what;
    }
}

TEST(AdvComboDropWnd, ReleaseOverARowChoosesIt)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"one", "two", "three"});
    combo.GetEdit()->SetFocus();
    PumpFor(20);
    KeyDown(combo, VK_F4);
    PumpFor(50);
    parent.codes.clear();
    CAdvComboListBox* list = combo.GetDropWnd()->GetListBox();
    int rowHeight = list->GetItemHeight(0);
    MoveTo(list->m_hWnd, 20, rowHeight + rowHeight / 2);
    MoveTo(list->m_hWnd, 21, rowHeight + rowHeight / 2);
    EXPECT_EQ(list->GetCurSel(), 1) << "the row under the pointer is selected";
    Press();
    Release();
    ASSERT_TRUE(PumpUntil([&] { return !combo.IsDropped(); }));
    PumpFor(30);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(parent.codes, Codes({CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
}

TEST(AdvComboDropWnd, PressElsewhereClosesWithoutAChoice)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"one", "two"});
    combo.SetCurSel(0);
    combo.GetEdit()->SetFocus();
    PumpFor(20);
    KeyDown(combo, VK_F4);
    PumpFor(50);
    parent.codes.clear();
    MoveTo(parent.m_hWnd, 280, 180);
    Press();
    Release();
    ASSERT_TRUE(PumpUntil([&] { return !combo.IsDropped(); }));
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_EQ(parent.codes, Codes({CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST(AdvComboDropWnd, SizeGripKeepsAtLeastOneScrollBarWidth)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"one", "two", "three", "four", "five", "six"});
    KeyDown(combo, VK_F4);
    PumpFor(50);
    CAdvComboDropWnd* drop = combo.GetDropWnd();
    CRect client;
    drop->GetClientRect(&client);
    MoveTo(drop->m_hWnd, client.right - 2, client.bottom - 2);
    Press();
    MoveTo(drop->m_hWnd, -300, -300);
    Release();
    CRect r;
    drop->GetWindowRect(&r);
    EXPECT_EQ(r.Width(), GetSystemMetrics(SM_CXVSCROLL) + 1);
    EXPECT_EQ(r.Height(), GetSystemMetrics(SM_CYVSCROLL) + 1);
}

}  // namespace
