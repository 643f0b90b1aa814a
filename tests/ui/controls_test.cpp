// Controls: list view columns, items and notifications; combo box items and selection notifications; buttons.
#include "tests/support/window/ui_fixture.h"

namespace {

class Host : public CWnd {
public:
    std::vector<UINT> notifications;
    std::vector<int> clickedItems;
    std::vector<int> columns;
    std::vector<UINT> commands;
    CListCtrl list;
    CComboBox combo;
    CButton button;

    Host()
    {
        CreateEx(0, nullptr, "controls", WS_POPUP | WS_VISIBLE, 30, 30, 420, 300, nullptr, nullptr);
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, CRect(10, 10, 300, 200),
                    this, 3009);
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(310, 10, 410, 200), this, 3010);
        button.Create("Push", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(310, 240, 400, 270), this, 3011);
    }

protected:
    afx_msg void OnListClick(NMHDR* nm, LRESULT*)
    {
        notifications.push_back(nm->code);
        clickedItems.push_back(reinterpret_cast<NMITEMACTIVATE*>(nm)->iItem);
    }
    afx_msg void OnColumn(NMHDR* nm, LRESULT*) { columns.push_back(reinterpret_cast<NMLISTVIEW*>(nm)->iSubItem); }
    afx_msg void OnChanged(NMHDR* nm, LRESULT*) { notifications.push_back(nm->code); }
    afx_msg void OnComboChange() { commands.push_back(CBN_SELCHANGE); }
    afx_msg void OnPush() { commands.push_back(BN_CLICKED); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Host, CWnd)
ON_NOTIFY(NM_CLICK, 3009, OnListClick)
ON_NOTIFY(LVN_COLUMNCLICK, 3009, OnColumn)
ON_NOTIFY(LVN_ITEMCHANGED, 3009, OnChanged)
ON_CBN_SELCHANGE(3010, OnComboChange)
ON_BN_CLICKED(3011, OnPush)
END_MESSAGE_MAP()

TEST(ListCtrl, ColumnsItemsAndSearch)
{
    Host h;
    CListCtrl& l = h.list;
    EXPECT_EQ(l.InsertColumn(0, "Name", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(l.InsertColumn(1, "Length", LVCFMT_LEFT, 80), 1);
    EXPECT_EQ(l.InsertItem(0, "song.mid"), 0);
    EXPECT_EQ(l.InsertItem(1, "tune.mmf"), 1);
    EXPECT_TRUE(l.SetItemText(1, 1, "0:42"));
    EXPECT_TRUE(l.SetItemData(1, 77));
    EXPECT_EQ(l.GetItemText(1, 1), "0:42");
    EXPECT_EQ(l.GetItemData(1), 77u);
    EXPECT_EQ(l.GetItemCount(), 2);
    LVFINDINFO fi{LVFI_STRING, "TUNE.mmf", 0, {0, 0}, 0};
    EXPECT_EQ(l.FindItem(&fi), 1);
    LVFINDINFO byParam{LVFI_PARAM, nullptr, 77, {0, 0}, 0};
    EXPECT_EQ(l.FindItem(&byParam), 1);
    h.notifications.clear();
    l.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(l.GetNextItem(-1, LVNI_SELECTED), 0);
    EXPECT_EQ(l.GetItemState(0, LVIS_SELECTED), (UINT)LVIS_SELECTED);
    POSITION pos = l.GetFirstSelectedItemPosition();
    EXPECT_EQ(l.GetNextSelectedItem(pos), 0);
    EXPECT_EQ(pos, nullptr);
    EXPECT_FALSE(h.notifications.empty());
    EXPECT_EQ(h.notifications.back(), (UINT)LVN_ITEMCHANGED);
    EXPECT_TRUE(l.DeleteItem(0));
    EXPECT_EQ(l.GetItemText(0, 0), "tune.mmf");
}

TEST(ListCtrl, ClickOnAnItemNotifiesWithItsIndex)
{
    Host h;
    CListCtrl& l = h.list;
    l.InsertColumn(0, "Name", LVCFMT_LEFT, 200);
    for (int i = 0; i < 5; ++i)
        l.InsertItem(i, "row");
    h.UpdateWindow();
    PumpFor(50);
    CRect r;
    ASSERT_TRUE(l.GetItemRect(2, &r, LVIR_BOUNDS));
    h.notifications.clear();
    ClickAt(l.GetSafeHwnd(), r.left + 20, (r.top + r.bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return !h.clickedItems.empty(); }));
    EXPECT_EQ(h.clickedItems.back(), 2);
    EXPECT_EQ(l.GetNextItem(-1, LVNI_SELECTED), 2);
    UINT flags = 0;
    EXPECT_EQ(l.HitTest(CPoint(r.left + 20, (r.top + r.bottom) / 2), &flags), 2);
}

TEST(ComboBox, ItemsAndUserSelection)
{
    Host h;
    CComboBox& c = h.combo;
    EXPECT_EQ(c.AddString("Piano"), 0);
    EXPECT_EQ(c.AddString("Organ"), 1);
    EXPECT_EQ(c.AddString("Guitar"), 2);
    c.SetItemData(2, 25);
    EXPECT_EQ(c.GetCount(), 3);
    EXPECT_EQ(c.FindStringExact(-1, "organ"), 1);
    EXPECT_EQ(c.FindString(-1, "Gu"), 2);
    EXPECT_EQ(c.GetItemData(2), 25u);
    EXPECT_EQ(c.SetCurSel(1), 1);
    CString text;
    c.GetLBText(2, text);
    EXPECT_EQ(text, "Guitar");
    EXPECT_EQ(c.GetLBTextLen(2), 6);
    EXPECT_EQ(c.GetLBTextLen(9), CB_ERR);
    EXPECT_TRUE(h.commands.empty());  // a selection by message notifies nobody

    // The user picks the next item with the keyboard: the parent hears CBN_SELCHANGE.
    h.UpdateWindow();
    PumpFor(100);
    c.SetFocus();
    PumpFor(50);
    PressKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return !h.commands.empty(); }, 3000));
    EXPECT_EQ(h.commands[0], (UINT)CBN_SELCHANGE);
    EXPECT_EQ(c.GetCurSel(), 2);
}

TEST(Button, ClickSendsBnClicked)
{
    Host h;
    h.UpdateWindow();
    PumpFor(100);
    ClickAt(h.button.GetSafeHwnd(), 20, 10);
    ASSERT_TRUE(PumpUntil([&] { return !h.commands.empty(); }, 3000));
    EXPECT_EQ(h.commands[0], (UINT)BN_CLICKED);
}

}  // namespace

namespace {

class DrawnList : public CListCtrl {
public:
    std::vector<UINT> drawn;

protected:
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        drawn.push_back(dis->itemID);
        CDC* dc = CDC::FromHandle(dis->hDC);
        dc->FillSolidRect(&dis->rcItem, (dis->itemState & ODS_SELECTED) ? RGB(0, 0, 200) : RGB(0, 200, 0));
    }
};

class DrawnHost : public CWnd {
public:
    DrawnList list;
    std::vector<int> clicks;
    std::vector<int> drags;

protected:
    afx_msg void OnClick(NMHDR* nm, LRESULT*) { clicks.push_back(reinterpret_cast<NMITEMACTIVATE*>(nm)->iItem); }
    afx_msg void OnDrag(NMHDR* nm, LRESULT*) { drags.push_back(reinterpret_cast<NMLISTVIEW*>(nm)->iItem); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DrawnHost, CWnd)
ON_NOTIFY(NM_CLICK, 158, OnClick)
ON_NOTIFY(LVN_BEGINDRAG, 158, OnDrag)
END_MESSAGE_MAP()

TEST(ListCtrl, OwnerDrawnRowsAreDrawnByTheControlAndClickable)
{
    DrawnHost host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "drawn", WS_POPUP | WS_VISIBLE, 60, 60, 300, 220, nullptr, nullptr));
    ASSERT_TRUE(host.list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SINGLESEL,
                                 CRect(0, 0, 280, 200), &host, 158));
    host.list.InsertColumn(0, "Track", LVCFMT_LEFT, 100);
    host.list.InsertColumn(1, "Name", LVCFMT_LEFT, 150);
    for (int i = 0; i < 30; ++i)
        host.list.InsertItem(i, "row");
    host.list.UpdateWindow();
    ASSERT_FALSE(host.list.drawn.empty());
    EXPECT_EQ(host.list.drawn.front(), 0u);
    CRect r;
    ASSERT_TRUE(host.list.GetItemRect(1, &r, LVIR_BOUNDS));
    HDC dc = GetDC(host.list);
    EXPECT_EQ(GetPixel(dc, r.left + 5, r.top + 2), RGB(0, 200, 0));
    ReleaseDC(host.list, dc);

    ClickAt(host.list, 120, (r.top + r.bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return !host.clicks.empty(); }));
    EXPECT_EQ(host.clicks.back(), 1);
    EXPECT_EQ(host.list.GetNextItem(-1, LVNI_SELECTED), 1);
    host.list.UpdateWindow();
    dc = GetDC(host.list);
    EXPECT_EQ(GetPixel(dc, r.left + 5, r.top + 2), RGB(0, 0, 200));
    ReleaseDC(host.list, dc);

    LVHITTESTINFO hit{};
    hit.pt = CPoint(120, (r.top + r.bottom) / 2);
    EXPECT_EQ(host.list.SubItemHitTest(&hit), 1);
    EXPECT_EQ(hit.iSubItem, 1);
    EXPECT_LT(host.list.GetCountPerPage(), 30);
}

}  // namespace

namespace {

TEST(ScrollBar, WindowBarsTakeClientRoomOnlyWhileTheyHaveARange)
{
    CWnd w;
    ASSERT_TRUE(
        w.CreateEx(0, nullptr, "scroll", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 20, 20, 200, 100, nullptr, nullptr));
    CRect before;
    w.GetClientRect(&before);
    EXPECT_EQ(before.Width(), 200 - GetSystemMetrics(SM_CXVSCROLL));  // a new bar has the range 0 .. 100
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 95, 0};
    w.SetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(w.GetScrollPos(SB_VERT), 90);  // held within the range less one page
    CRect after;
    w.GetClientRect(&after);
    EXPECT_EQ(after.Width(), 200 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(w.GetScrollLimit(SB_VERT), 90);
    w.SetScrollRange(SB_VERT, 0, 0);
    w.GetClientRect(&after);
    EXPECT_EQ(after.Width(), 200);
}

TEST(ScrollBar, ControlKeepsRangeAndPosition)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(0, 0, 17, 90), &host, 101));
    bar.SetScrollRange(1, 127);
    bar.SetScrollPos(200);
    EXPECT_EQ(bar.GetScrollPos(), 127);
    int lo = 0, hi = 0;
    bar.GetScrollRange(&lo, &hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 127);
    bar.SetScrollPos(64);
    EXPECT_EQ(bar.GetScrollPos(), 64);
}

}  // namespace
