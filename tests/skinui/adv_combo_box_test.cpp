// The drop-down combo box: its items, the combo messages, keyboard, wheel and autocompletion, and the
// order of its notifications.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "combo_fixture.h"

namespace {

TEST(AdvComboBox, SortedItemsKeepByteOrderAndAnswerTheirIndex)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST | CBS_SORT, {"b", "a"});
    EXPECT_EQ(combo.AddString("ab"), 1);
    EXPECT_EQ(combo.AddString("B"), 0);
    const char* order[] = {"B", "a", "ab", "b"};
    char text[16];
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(combo.SendMessage(CB_GETLBTEXT, i, (LPARAM)text), (LRESULT)std::strlen(order[i]) + 1);
        EXPECT_STREQ(text, order[i]);
    }
}

TEST(AdvComboBox, CombosMessagesAnswerAsASystemComboBox)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"abc", "Fl\xC3\xB6te", "abd", "abc"});
    struct Case {
        UINT message;
        WPARAM wParam;
        const char* text;
        LRESULT answer;
    } cases[] = {
        {CB_GETCOUNT, 0, nullptr, 4},
        {CB_GETLBTEXTLEN, 0, nullptr, 4},
        {CB_GETLBTEXTLEN, 1, nullptr, 7},  // bytes of the UTF-8 text and the terminator
        {CB_GETLBTEXTLEN, 4, nullptr, CB_ERR},
        {CB_GETLBTEXTLEN, (WPARAM)-1, nullptr, CB_ERR},
        {CB_GETLBTEXT, 9, nullptr, CB_ERR},
        {CB_GETLBTEXT, 0, nullptr, CB_ERR},  // no buffer to copy into    {CB_GETTOPINDEX, 0, nullptr, CB_ERR},
        {CB_SETTOPINDEX, 1, nullptr, CB_ERR},
        {CB_SETCURSEL, 4, nullptr, CB_ERR},
        {CB_SETCURSEL, 2, nullptr, 2},
        {CB_SELECTSTRING, 0, "ab", CB_ERR},
        {CB_SELECTSTRING, 1, "abc", 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(combo.SendMessage(c.message, c.wParam, (LPARAM)c.text), c.answer)
            << "message " << c.message << " wParam " << (int)c.wParam;
    // The selection is found again by its text, so a second "abc" reads as the first.
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_EQ(combo.FindString(-1, "ab"), 0);
    EXPECT_EQ(combo.FindString(1, "ab"), 2);
    EXPECT_EQ(combo.FindString(-1, "x"), CB_ERR);
    EXPECT_EQ(combo.FindStringExact(5, "abc"), CB_ERR);
    EXPECT_EQ(combo.SendMessage(CB_RESETCONTENT), 0);
    EXPECT_EQ(combo.SendMessage(CB_GETCOUNT), 0);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(0), CB_ERR);
    EXPECT_TRUE(parent.codes.empty()) << "setting the selection never notifies";
}

TEST(AdvComboBox, EditedTextThatMatchesNoItemReadsAsNoSelection)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWN, {"Piano", "Organ"});
    combo.SetCurSel(1);
    combo.GetEdit()->SetWindowText("Org");
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    combo.GetEdit()->SetWindowText("");
    EXPECT_EQ(combo.GetCurSel(), 1) << "an empty text answers the stored index";
}

// The orders in which a system combo box notifies its parent, which the combo keeps.
TEST(AdvComboBox, NotificationsComeInTheSystemComboOrder)
{
    struct Case {
        const char* what;
        int selected;
        std::vector<WPARAM> keys;
        std::vector<UINT> system;
        int selectedAfter;
    } cases[] = {
        {"F4 opens", 0, {VK_F4}, Codes({CBN_DROPDOWN}), 0},
        {"a choice from the list",
         0,
         {VK_F4, VK_DOWN, VK_RETURN},
         Codes({CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}),
         1},
        {"Escape closes without a choice",
         0,
         {VK_F4, VK_DOWN, VK_ESCAPE},
         Codes({CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}),
         0},
        {"F4 twice", 0, {VK_F4, VK_F4}, Codes({CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}), 0},
        {"Down while closed", 0, {VK_DOWN}, Codes({CBN_SELENDOK, CBN_SELCHANGE}), 1},
        {"Down with no selection takes the first", -1, {VK_DOWN}, Codes({CBN_SELENDOK, CBN_SELCHANGE}), 0},
        {"Up with no selection takes the last", -1, {VK_UP}, Codes({CBN_SELENDOK, CBN_SELCHANGE}), 2},
        {"Up on the first item", 0, {VK_UP}, Codes({}), 0},
        {"Down on the last item", 2, {VK_DOWN}, Codes({}), 2},
        {"Escape while closed", 1, {VK_ESCAPE}, Codes({}), 1},
    };
    for (const Case& c : cases) {
        ComboParent parent;
        CAdvComboBox combo;
        MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"one", "two", "three"});
        combo.SetCurSel(c.selected);
        // The user is in the combo already.
        combo.GetEdit()->SetFocus();
        PumpFor(20);
        parent.codes.clear();
        for (WPARAM key : c.keys)
            EXPECT_TRUE(KeyDown(combo, key)) << c.what;
        PumpFor(20);
        EXPECT_EQ(parent.codes, c.system) << c.what;
        EXPECT_EQ(combo.GetCurSel(), c.selectedAfter) << c.what;
    }
}

TEST(AdvComboBox, EnterWhileClosedGoesToTheDialog)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"one"});
    EXPECT_FALSE(KeyDown(combo, VK_RETURN));
    EXPECT_TRUE(parent.codes.empty());
}

TEST(AdvComboBox, EnterWithNoRowSelectedClosesWithoutAChoice)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"one", "two"});
    KeyDown(combo, VK_F4);
    ASSERT_EQ(combo.GetDropWnd()->GetListBox()->GetCurSel(), LB_ERR);
    EXPECT_TRUE(KeyDown(combo, VK_RETURN));
    EXPECT_EQ(parent.codes, Codes({CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_FALSE(combo.IsDropped());
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
}

TEST(AdvComboBox, DownOnTheLastRowOfTheOpenListKeepsIt)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"one", "two", "three"});
    combo.SetCurSel(2);
    KeyDown(combo, VK_F4);
    KeyDown(combo, VK_DOWN);
    EXPECT_EQ(combo.GetDropWnd()->GetListBox()->GetCurSel(), 2);
    KeyDown(combo, VK_RETURN);
    EXPECT_EQ(combo.GetCurSel(), 2);
}

TEST(AdvComboBox, AltArrowTogglesTheDropDown)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"one"});
    EXPECT_FALSE(KeyDown(combo, VK_DOWN, WM_SYSKEYDOWN));
    EXPECT_TRUE(combo.IsDropped());
    KeyDown(combo, VK_UP, WM_SYSKEYDOWN);
    EXPECT_FALSE(combo.IsDropped());
}

// X input from the display server (xdotool), as a user's wheel and keys arrive; the events are then pumped.
void XInput(const std::string& arguments)
{
    ASSERT_EQ(std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()), 0) << arguments;
    PumpFor(150);
}

TEST(AdvComboBox, WheelAndAltArrowsFromTheDisplayReachTheClosedCombo)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"one", "two", "three"});
    combo.SetCurSel(0);
    combo.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == combo.GetEdit()->m_hWnd; }));
    // Over the field, where the focused edit gets the wheel first.
    CRect field;
    combo.GetEdit()->GetWindowRect(&field);
    XInput("mousemove --sync " + std::to_string(field.CenterPoint().x) + " " + std::to_string(field.CenterPoint().y));
    XInput("click 5");
    EXPECT_TRUE(PumpUntil([&] { return combo.GetCurSel() == 1; }, 1000)) << "a notch down selects the next item";
    XInput("click 4");
    EXPECT_TRUE(PumpUntil([&] { return combo.GetCurSel() == 0; }, 1000)) << "a notch up selects the one before";
    XInput("key alt+Down");
    EXPECT_TRUE(PumpUntil([&] { return combo.IsDropped(); }, 1000)) << "Alt+Down opens the list";
    XInput("key alt+Up");
    EXPECT_TRUE(PumpUntil([&] { return !combo.IsDropped(); }, 1000)) << "Alt+Up closes it";
}

TEST(AdvComboBox, OneWheelNotchMovesTheOpenListThreeRows)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"});
    combo.SetMaxVisibleItems(4);
    KeyDown(combo, VK_F4);
    CAdvComboListBox* list = combo.GetDropWnd()->GetListBox();
    combo.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-60));
    EXPECT_EQ(list->GetTopIndex(), 0) << "half a notch only accumulates";
    combo.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-60));
    EXPECT_EQ(list->GetTopIndex(), 3);
    combo.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)120));
    EXPECT_EQ(list->GetTopIndex(), 0);
}

TEST(AdvComboBox, WheelNotchWhileClosedActsAsAnArrowKey)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"one", "two"});
    combo.SetCurSel(0);
    combo.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120));
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(parent.codes, Codes({CBN_SELENDOK, CBN_SELCHANGE}));
}

TEST(AdvComboBox, TypingCompletesFromTheFirstItemThatBeginsWithTheText)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWN, {"Organ", "Piano", "Pipe", "Fl\xC3\xB6te"}, ACBS_STANDARD | ACBS_AUTOAPPEND);
    combo.GetEdit()->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == combo.GetEdit()->m_hWnd; }));
    struct Case {
        WPARAM keyBefore;
        const char* typed;
        const char* shown;
    } cases[] = {
        {0, "Pi", "Piano"},
        {0, "Fl\xC3\xB6", "Fl\xC3\xB6te"},
        {VK_BACK, "Or", "Or"},  // after a deletion the text is left as typed
        {0, "x", "x"},
    };
    for (const Case& c : cases) {
        if (c.keyBefore)
            KeyDown(combo, c.keyBefore);
        else
            KeyDown(combo, 'A');  // any key allows completion again
        parent.codes.clear();
        combo.GetEdit()->SetWindowText(c.typed);
        CString shown;
        combo.GetEditText(shown);
        EXPECT_STREQ(shown, c.shown) << c.typed;
        EXPECT_NE(std::find(parent.codes.begin(), parent.codes.end(), (UINT)CBN_EDITUPDATE), parent.codes.end())
            << c.typed;
    }
    // Right at the end of a text with nothing selected completes it now.
    KeyDown(combo, VK_BACK);
    combo.GetEdit()->SetWindowText("Or");
    combo.GetEdit()->SetSel(2, 2);
    EXPECT_TRUE(KeyDown(combo, VK_RIGHT));
    CString shown;
    combo.GetEditText(shown);
    EXPECT_STREQ(shown, "Organ");
}

TEST(AdvComboBox, TypingSuggestsTheItemsThatBeginWithTheText)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWN, {"Organ", "Piano", "Pipe"}, ACBS_STANDARD | ACBS_AUTOSUGGEST);
    combo.GetEdit()->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == combo.GetEdit()->m_hWnd; }));
    combo.GetEdit()->SetWindowText("Pi");
    ASSERT_TRUE(combo.IsDropped());
    ASSERT_EQ(combo.GetDropWnd()->GetItems().size(), 2u);
    EXPECT_EQ(combo.GetDropWnd()->GetListBox()->GetCount(), 2);
    // A choice from the suggestions selects that item of the whole list.
    parent.codes.clear();
    combo.SendMessage(WM_ACB_SELECTITEM, 1);
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(parent.codes, Codes({CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
    combo.GetEdit()->SetWindowText("");
    EXPECT_FALSE(combo.IsDropped());
}

}  // namespace

namespace {

// Focus moving into the combo and on to its own edit is one stay: a system combo box reports it once.
TEST(AdvComboBox, FocusIntoTheComboNotifiesOnceAndLeavingNotifiesOnce)
{
    ComboParent parent;
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"one", "two"});
    CEdit other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(10, 100, 100, 120), &parent, 1300));
    combo.SetFocus();
    PumpFor(30);
    EXPECT_EQ(parent.codes, Codes({CBN_SETFOCUS}));
    parent.codes.clear();
    other.SetFocus();
    PumpFor(30);
    EXPECT_EQ(parent.codes, Codes({CBN_SELENDCANCEL, CBN_KILLFOCUS}));
}

}  // namespace

namespace {

// A control of the combo's own window class on a dialog is subclassed: it takes an editable text.
TEST(AdvComboBox, SubclassedControlOfItsWindowClassGetsAnEditableText)
{
    ComboParent parent;
    CAdvComboBox combo;
    HWND control = CreateWindowEx(0, "AdvComboBoxCtrl", "", WS_CHILD | WS_VISIBLE, 10, 10, 150, 22, parent.m_hWnd,
                                  (HMENU)(UINT_PTR)kComboId, nullptr, nullptr);
    ASSERT_TRUE(control);
    ASSERT_TRUE(combo.SubclassWindow(control));
    ASSERT_TRUE(combo.GetEdit());
    EXPECT_EQ(combo.GetEdit()->GetStyle() & ES_READONLY, 0u);
    combo.AddString("Piano");
    EXPECT_EQ(combo.SendMessage(CB_SETCURSEL, 0), 0);
    CString text;
    combo.GetEditText(text);
    EXPECT_STREQ(text, "Piano");
}

}  // namespace
