// Menus: items and states, templates, and a popup menu whose chosen command reaches its owner.
#include "tests/support/window/ui_fixture.h"

namespace {

class MenuOwner : public CWnd {
public:
    UINT command = 0;
    int entered = 0;

protected:
    afx_msg void OnCommandRange(UINT id) { command = id; }
    afx_msg void OnEnterMenuLoop(BOOL) { ++entered; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuOwner, CWnd)
ON_COMMAND_RANGE(4000, 4010, OnCommandRange)
ON_WM_ENTERMENULOOP()
END_MESSAGE_MAP()

TEST(Menu, ItemsKeepTheirStates)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 4001, "&First");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_CHECKED, 4002, "Second");
    CMenu sub;
    sub.CreatePopupMenu();
    sub.AppendMenu(MF_STRING | MF_GRAYED, 4003, "Inner");
    menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "More");
    EXPECT_EQ(menu.GetMenuItemCount(), 4u);
    EXPECT_EQ(menu.GetMenuItemID(2), 4002u);
    EXPECT_EQ(menu.GetMenuItemID(3), (UINT)-1);
    EXPECT_EQ(menu.CheckMenuItem(4002, MF_UNCHECKED), (UINT)MF_CHECKED);
    EXPECT_EQ(menu.GetMenuState(4002, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_TRUE(menu.GetMenuState(4003, MF_BYCOMMAND) & MF_GRAYED);  // found in the submenu
    menu.EnableMenuItem(4003, MF_ENABLED);
    EXPECT_FALSE(menu.GetSubMenu(3)->GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    CString text;
    menu.GetMenuString(4001, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "&First");
}

TEST(Menu, DestroyingAMenuWhoseSubmenusWereWrappedLeavesOtherMenusAlone)
{
    CMenu other;
    other.CreatePopupMenu();
    other.AppendMenu(MF_STRING, 4003, "Other");
    CMenu* otherWrapper = CMenu::FromHandle(other.m_hMenu);
    {
        CMenu menu;
        menu.CreatePopupMenu();
        for (int i = 0; i < 3; ++i) {
            CMenu sub;
            sub.CreatePopupMenu();
            sub.AppendMenu(MF_STRING, 4004 + i, "Item");
            menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), "Sub");
        }
        for (int i = 0; i < 3; ++i)
            ASSERT_NE(menu.GetSubMenu(i), nullptr);
    }
    EXPECT_TRUE(::IsMenu(other.m_hMenu));
    EXPECT_EQ(CMenu::FromHandle(other.m_hMenu), otherWrapper);
    EXPECT_EQ(other.GetMenuItemCount(), 1u);
}

TEST(Menu, TemplateBuildsNestedMenus)
{
    std::string error;
    HMENU m = LoadMenuFromText(
        "MENU\nBEGIN\n  POPUP \"File\"\n  BEGIN\n    MENUITEM \"&Open\", 3028\n"
        "    MENUITEM SEPARATOR\n    MENUITEM \"E&xit\", 1106, GRAYED | CHECKED\n  END\nEND\n",
        &error);
    ASSERT_TRUE(m) << error;
    HMENU file = GetSubMenu(m, 0);
    ASSERT_TRUE(file);
    EXPECT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), 3028u);
    EXPECT_EQ(GetMenuState(file, 1106, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED), (UINT)(MF_GRAYED | MF_CHECKED));
    DestroyMenu(m);
    EXPECT_FALSE(LoadMenuFromText("MENU\nBEGIN\n MENUITEM \"x\", NOSUCH\nEND\n", &error));
}

class MenuPoster : public MenuOwner {
public:
    CMenu* menu = nullptr;

protected:
    LRESULT OnShow(WPARAM, LPARAM)
    {
        CRect r;
        GetWindowRect(&r);
        menu->TrackPopupMenu(TPM_LEFTALIGN, r.left + 10, r.top + 10, this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuPoster, MenuOwner)
ON_MESSAGE(WM_USER + 5, OnShow)
END_MESSAGE_MAP()

TEST(Menu, PopupMenuSendsTheChosenCommand)
{
    MenuPoster owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "menus", WS_POPUP | WS_VISIBLE, 80, 80, 200, 150, nullptr, nullptr));
    owner.UpdateWindow();
    PumpFor(50);
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 4005, "Five");
    menu.AppendMenu(MF_STRING, 4006, "Six");
    owner.menu = &menu;
    // Keys typed while the menu is open pick the second item.
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        PressKey(VK_DOWN);
        PressKey(VK_DOWN);
        PressKey(VK_RETURN);
    });
    owner.PostMessage(WM_USER + 5);
    ASSERT_TRUE(PumpUntil([&] { return owner.command != 0; }, 5000));
    EXPECT_EQ(owner.command, 4006u);
    EXPECT_EQ(owner.entered, 1);
}

}  // namespace
