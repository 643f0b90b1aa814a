// The painted look of the drop-down combo: its frame and drop button in each state, and the list's rows.
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

}  // namespace
