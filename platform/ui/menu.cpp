// CMenu: owned menu handles and temporary wrappers.
#include "ui/menu.h"

#include <map>
#include <memory>

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

std::map<HMENU, std::unique_ptr<CMenu>> g_temporary;

}  // namespace

CMenu::~CMenu() { DestroyMenu(); }

#pragma GCC diagnostic ignored "-Wnonnull-compare"
HMENU CMenu::GetSafeHmenu() const { return this ? m_hMenu : nullptr; }

CMenu* CMenu::FromHandle(HMENU menu)
{
    if (!menu)
        return nullptr;
    auto& slot = g_temporary[menu];
    if (!slot) {
        slot = std::make_unique<CMenu>();
        slot->m_hMenu = menu;
    }
    return slot.get();
}

BOOL CMenu::Attach(HMENU menu)
{
    if (!menu || m_hMenu)
        return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU m = m_hMenu;
    m_hMenu = nullptr;
    return m;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    HMENU m = Detach();
    // Wrappers of the menu and of its submenus must not outlive them; a wrapper never destroys the menu it wraps.
    auto dropWrapper = [](auto it) {
        it->second->m_hMenu = nullptr;
        return g_temporary.erase(it);
    };
    for (auto it = g_temporary.begin(); it != g_temporary.end();)
        it = ::IsMenu(it->first) && it->first != m ? std::next(it) : dropWrapper(it);
    BOOL ok = ::DestroyMenu(m);
    for (auto it = g_temporary.begin(); it != g_temporary.end();)
        it = ::IsMenu(it->first) ? std::next(it) : dropWrapper(it);
    return ok;
}

int CMenu::GetMenuString(UINT id, CString& text, UINT flags) const
{
    int n = ::GetMenuString(m_hMenu, id, nullptr, 0, flags);
    ::GetMenuString(m_hMenu, id, text.GetBufferSetLength(n), n + 1, flags);
    text.ReleaseBuffer();
    return text.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT rect)
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, wnd ? wnd->GetSafeHwnd() : nullptr, rect);
}
