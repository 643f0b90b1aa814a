// The painted look of the drop-down combo: its frame and button in each state, its list's rows, its disabled field.
#include <algorithm>

#include "combo_fixture.h"

namespace {

// Three combos (enabled, disabled, flat) and below them four list rows: plain, checked, disabled and selected.
TEST(AdvComboBox, PaintedLooksMatchTheGoldenPicture)
{
    ComboParent parent;
    CAdvComboBox combos[3];
    MakeCombo(combos[0], parent, CBS_DROPDOWNLIST, {"Piano"});
    MakeCombo(combos[1], parent, CBS_DROPDOWNLIST, {"Piano"});
    MakeCombo(combos[2], parent, CBS_DROPDOWN, {"Piano"}, ACBS_FLAT);
    combos[1].EnableWindow(FALSE);
    std::vector<CAdvComboItem> items(4);
    const char* texts[] = {"Acoustic Grand", "Bright Piano", "Fl\xC3\xBCgelhorn", "Celesta"};
    for (int i = 0; i < 4; ++i)
        items[i].strText = texts[i];
    items[1].bChecked = 1;
    items[2].bDisabled = 1;
    CAdvComboDropWnd drop(&combos[0], items, ACBS_STANDARD | ACBS_CHECKED);
    ASSERT_TRUE(drop.Create(WS_CHILD | WS_BORDER, CRect(100, 300, 250, 400), CWnd::GetDesktopWindow(), 6));
    CAdvComboListBox* list = drop.GetListBox();
    const int width = 150, comboHeight = 22, rowHeight = 16;
    CRasterImage picture;
    RenderPicture(
        width, 3 * comboHeight + 4 * rowHeight,
        [&](CDC* dc) {
            for (int i = 0; i < 3; ++i) {
                dc->SetViewportOrg(0, comboHeight * i);
                combos[i].Paint(dc);
            }
            dc->SetViewportOrg(0, 0);
            for (int row = 0; row < 4; ++row) {
                DRAWITEMSTRUCT dis{};
                dis.CtlType = ODT_LISTBOX;
                dis.itemID = (UINT)row;
                dis.itemAction = ODA_DRAWENTIRE;
                dis.itemState = row == 3 ? ODS_SELECTED : 0;
                dis.hDC = dc->m_hDC;
                int top = 3 * comboHeight + row * rowHeight;
                dis.rcItem = CRect(0, top, width, top + rowHeight);
                list->DrawItem(&dis);
            }
        },
        &picture);
    ExpectGolden("combo", picture);
}

// A disabled combo writes its field in grey, also when the pointer comes over it; enabled again, in its colour.
TEST(AdvComboBox, DisabledFieldIsGreyedUnderThePointer)
{
    ComboParent parent;
    CAdvComboBox combo;
    combo.SetColorsAndFont(RGB(255, 255, 255), RGB(0, 0, 0), 14);
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 140, 30), &parent, kComboId));
    combo.AddString("Acoustic Grand");
    combo.SetCurSel(0);
    auto darkest = [&] {
        Capture c = CaptureWindow(combo.GetEdit()->m_hWnd);
        int least = 255;
        for (uint32_t p : c.pixels)
            least = std::min<int>(least, p >> 8 & 0xFF);
        return least;
    };
    for (BOOL enabled : {FALSE, TRUE}) {
        combo.EnableWindow(enabled);
        MoveTo(parent.m_hWnd, 0, 0);
        MoveTo(parent.m_hWnd, 50, 20);
        PumpFor(200);
        if (enabled)
            EXPECT_LT(darkest(), 64);
        else
            EXPECT_GT(darkest(), 96) << "the text of a disabled combo is grey";
    }
}

}  // namespace
