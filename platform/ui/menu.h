// CMenu: the class-library menu object over a menu handle.
#pragma once

#include "ui/wnd.h"

class CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    // Both answer null for a null object pointer.
    operator HMENU() const { return GetSafeHmenu(); }
    HMENU GetSafeHmenu() const;
    static CMenu* FromHandle(HMENU menu);
    BOOL Attach(HMENU menu);
    HMENU Detach();

    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(UINT id) { return Attach(::LoadMenu(nullptr, MAKEINTRESOURCE(id))); }
    BOOL LoadMenu(LPCTSTR name) { return Attach(::LoadMenu(nullptr, name)); }
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr)
    {
        return ::AppendMenu(m_hMenu, flags, id, text);
    }
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr)
    {
        return ::InsertMenu(m_hMenu, position, flags, id, text);
    }
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr)
    {
        return ::ModifyMenu(m_hMenu, position, flags, id, text);
    }
    BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
    BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
    UINT CheckMenuItem(UINT id, UINT check) { return (UINT)::CheckMenuItem(m_hMenu, id, check); }
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags)
    {
        return ::CheckMenuRadioItem(m_hMenu, first, last, check, flags);
    }
    UINT EnableMenuItem(UINT id, UINT enable) { return (UINT)::EnableMenuItem(m_hMenu, id, enable); }
    UINT GetMenuItemCount() const { return (UINT)::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    UINT GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(m_hMenu, id, flags); }
    int GetMenuString(UINT id, LPTSTR text, int maxCount, UINT flags) const
    {
        return ::GetMenuString(m_hMenu, id, text, maxCount, flags);
    }
    int GetMenuString(UINT id, CString& text, UINT flags) const;
    CMenu* GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
    BOOL SetDefaultItem(UINT item, BOOL byPosition = FALSE) { return ::SetMenuDefaultItem(m_hMenu, item, byPosition); }
    // Shows the menu and sends the chosen command to the window (or answers it with TPM_RETURNCMD).
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT rect = nullptr);
};
