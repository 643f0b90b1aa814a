// The painted look of the drop-down combo: its frame and button in each state, its list's rows, its disabled field,
// and the size of its field's text beside its list's.
#include <algorithm>
#include <cstdlib>
#include <string>

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

// The rows and columns of a capture that hold text: pixels well apart from the background in its top right corner,
// the edges of smoothed letters included.
struct Ink {
    int top = -1, bottom = -1, left = -1, right = -1;
};

Ink InkOf(const Capture& c, const CRect& area)
{
    const int background = c.At(area.right - 1, area.top) >> 8 & 0xFF;
    Ink ink;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (std::abs((int)(c.At(x, y) >> 8 & 0xFF) - background) > 40) {
                if (ink.top < 0)
                    ink.top = y - area.top;
                ink.bottom = y - area.top;
                ink.left = ink.left < 0 ? x : std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
            }
    return ink;
}

// On a dialog, the closed field writes its text in the dialog font, as the open list does: the same text takes
// the same width and, from the tops of the tall letters to the bottoms of the descenders, the same rows.
TEST(AdvComboBox, ClosedFieldTextIsAsLargeAsTheListText)
{
    ComboParent parent;
    CFont dialogFont;
    dialogFont.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    parent.SetFont(&dialogFont);
    CAdvComboBox combo;
    MakeCombo(combo, parent, CBS_DROPDOWNLIST, {"Glockenspiel", "Harp"});
    combo.SetCurSel(0);
    PumpFor(200);
    const Capture fieldCapture = CaptureWindow(combo.GetEdit()->m_hWnd);
    const Ink field = InkOf(fieldCapture, CRect(0, 0, fieldCapture.width, fieldCapture.height));

    // The list opens as a user opens it: a click of the arrow, sent by the display server.
    CRect box;
    combo.GetWindowRect(&box);
    const std::string at = std::to_string(box.right - 5) + " " + std::to_string(box.CenterPoint().y);
    ASSERT_EQ(std::system(("xdotool mousemove --sync " + at + " click 1 >/dev/null 2>&1").c_str()), 0);
    ASSERT_TRUE(PumpUntil([&] { return combo.IsDropped(); }));
    PumpFor(200);
    CAdvComboListBox* list = combo.GetDropWnd()->GetListBox();
    CRect row;
    list->GetItemRect(0, &row);  // the chosen item, light on the selection colour
    const Ink listed = InkOf(CaptureWindow(list->m_hWnd), row);

    ASSERT_GE(field.top, 0);
    ASSERT_GE(listed.top, 0);
    EXPECT_NEAR(field.right - field.left, listed.right - listed.left, 2) << "widths of the text";
    EXPECT_NEAR(field.bottom - field.top, listed.bottom - listed.top, 1) << "heights of the text";
}

}  // namespace
