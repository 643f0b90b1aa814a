// Menus: menu handles with their items, templates from resources, and popup menus shown by the toolkit.
#include "ui/wx_windows.h"

#include <memory>
#include <set>
#include <sstream>

#include "kernel/resources.h"
#include "ui/template_lexer.h"

namespace {

struct MenuItem {
    UINT flags = 0;
    UINT_PTR id = 0;  // command id, or the submenu handle of a popup item
    std::string text;
};

struct MenuData {
    std::vector<MenuItem> items;
    int defaultItem = -1;  // position
};

std::set<MenuData*> g_menus;
int g_menuDepth = 0;

MenuData* DataOf(HMENU menu)
{
    auto* d = reinterpret_cast<MenuData*>(menu);
    return g_menus.count(d) ? d : nullptr;
}

// Finds an item by command (searching submenus too) or by position.
MenuItem* FindItem(HMENU menu, UINT which, UINT flags, MenuData** owner = nullptr, int* position = nullptr)
{
    MenuData* d = DataOf(menu);
    if (!d)
        return nullptr;
    if (flags & MF_BYPOSITION) {
        if (which >= d->items.size())
            return nullptr;
        if (owner)
            *owner = d;
        if (position)
            *position = (int)which;
        return &d->items[which];
    }
    for (size_t i = 0; i < d->items.size(); ++i) {
        MenuItem& it = d->items[i];
        if (it.flags & MF_POPUP) {
            if (MenuItem* inner = FindItem(reinterpret_cast<HMENU>(it.id), which, flags, owner, position))
                return inner;
        } else if (!(it.flags & MF_SEPARATOR) && it.id == which) {
            if (owner)
                *owner = d;
            if (position)
                *position = (int)i;
            return &it;
        }
    }
    return nullptr;
}

MenuItem MakeItem(UINT flags, UINT_PTR id, LPCSTR text)
{
    MenuItem it;
    it.flags = flags & ~(MF_BYPOSITION | MF_CHANGE | MF_APPEND | MF_DELETE | MF_REMOVE | MF_INSERT);
    it.id = id;
    if (!(flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) && text)
        it.text = text;
    return it;
}

// The toolkit's menu label: '&' marks the mnemonic in both, a tab starts the accelerator text.
wxString LabelOf(const std::string& text) { return wxString::FromUTF8(text); }

void BuildWx(wxMenu& menu, MenuData* d, std::vector<UINT_PTR>& commands)
{
    for (const MenuItem& it : d->items) {
        if (it.flags & MF_SEPARATOR) {
            menu.AppendSeparator();
            continue;
        }
        if (it.flags & MF_POPUP) {
            auto* sub = new wxMenu;
            if (MenuData* sd = DataOf(reinterpret_cast<HMENU>(it.id)))
                BuildWx(*sub, sd, commands);
            wxMenuItem* item = menu.AppendSubMenu(sub, LabelOf(it.text));
            item->Enable(!(it.flags & (MF_GRAYED | MF_DISABLED)));
            continue;
        }
        int wxId = 20000 + (int)commands.size();
        commands.push_back(it.id);
        wxMenuItem* item = (it.flags & MF_CHECKED) ? menu.AppendCheckItem(wxId, LabelOf(it.text))
                                                   : menu.Append(wxId, LabelOf(it.text));
        if (it.flags & MF_CHECKED)
            item->Check(true);
        item->Enable(!(it.flags & (MF_GRAYED | MF_DISABLED)));
    }
}

// A MENU template: POPUP "text" / MENUITEM "text", id [, options] / MENUITEM SEPARATOR, nested in BEGIN/END.
bool ParseMenu(std::istringstream& in, HMENU menu, int& line, std::string* error)
{
    std::string text;
    std::vector<TemplateToken> tokens;
    bool begun = false;
    while (std::getline(in, text)) {
        ++line;
        std::string why;
        if (!SplitTemplateLine(text, tokens, &why)) {
            if (error)
                *error = "line " + std::to_string(line) + ": " + why;
            return false;
        }
        if (tokens.empty())
            continue;
        const std::string& kw = tokens[0].text;
        if (kw == "BEGIN" || kw == "{") {
            begun = true;
            continue;
        }
        if (kw == "END" || kw == "}")
            return begun;
        if (kw == "MENU" || kw == "MENUEX")
            continue;
        TemplateArgs a(tokens, 1);
        if (kw == "MENUITEM") {
            if (tokens.size() >= 2 && tokens[1].kind == TemplateToken::Word && tokens[1].text == "SEPARATOR") {
                AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            std::string label;
            long long id = 0, options = 0;
            if (!a.Text(label) || !a.Number(id) || (!a.AtEnd() && !a.Style(options))) {
                if (error)
                    *error = "line " + std::to_string(line) + ": " + a.Error();
                return false;
            }
            AppendMenu(menu, MF_STRING | (UINT)options, (UINT_PTR)id, label.c_str());
        } else if (kw == "POPUP") {
            std::string label;
            long long options = 0;
            if (!a.Text(label) || (!a.AtEnd() && !a.Style(options))) {
                if (error)
                    *error = "line " + std::to_string(line) + ": " + a.Error();
                return false;
            }
            HMENU sub = CreatePopupMenu();
            if (!ParseMenu(in, sub, line, error))
                return false;
            AppendMenu(menu, MF_POPUP | (UINT)options, reinterpret_cast<UINT_PTR>(sub), label.c_str());
        } else {
            if (error)
                *error = "line " + std::to_string(line) + ": unknown statement " + kw;
            return false;
        }
    }
    return begun;
}

}  // namespace

HMENU CreatePopupMenu()
{
    auto* d = new MenuData;
    g_menus.insert(d);
    return reinterpret_cast<HMENU>(d);
}

HMENU CreateMenu() { return CreatePopupMenu(); }

BOOL IsMenu(HMENU menu) { return DataOf(menu) != nullptr; }

BOOL DestroyMenu(HMENU menu)
{
    MenuData* d = DataOf(menu);
    if (!d)
        return FALSE;
    for (const MenuItem& it : d->items)
        if (it.flags & MF_POPUP)
            DestroyMenu(reinterpret_cast<HMENU>(it.id));
    g_menus.erase(d);
    delete d;
    return TRUE;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem)
{
    MenuData* d = DataOf(menu);
    if (!d)
        return FALSE;
    d->items.push_back(MakeItem(flags, idNewItem, newItem));
    return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem)
{
    MenuData* d = DataOf(menu);
    if (!d)
        return FALSE;
    int at = (int)d->items.size();
    if (flags & MF_BYPOSITION) {
        if (position < d->items.size())
            at = (int)position;
    } else {
        MenuData* owner = nullptr;
        int pos = -1;
        if (FindItem(menu, position, flags, &owner, &pos)) {
            owner->items.insert(owner->items.begin() + pos, MakeItem(flags, idNewItem, newItem));
            return TRUE;
        }
    }
    d->items.insert(d->items.begin() + at, MakeItem(flags, idNewItem, newItem));
    return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem)
{
    MenuItem* it = FindItem(menu, position, flags);
    if (!it)
        return FALSE;
    *it = MakeItem(flags, idNewItem, newItem);
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags)
{
    MenuData* owner = nullptr;
    int pos = -1;
    if (!FindItem(menu, position, flags, &owner, &pos))
        return FALSE;
    owner->items.erase(owner->items.begin() + pos);
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags)
{
    MenuData* owner = nullptr;
    int pos = -1;
    MenuItem* it = FindItem(menu, position, flags, &owner, &pos);
    if (!it)
        return FALSE;
    if (it->flags & MF_POPUP)
        DestroyMenu(reinterpret_cast<HMENU>(it->id));
    owner->items.erase(owner->items.begin() + pos);
    return TRUE;
}

DWORD CheckMenuItem(HMENU menu, UINT idCheckItem, UINT check)
{
    MenuItem* it = FindItem(menu, idCheckItem, check & MF_BYPOSITION);
    if (!it)
        return (DWORD)-1;
    DWORD old = it->flags & MF_CHECKED;
    it->flags = (it->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return old;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags)
{
    for (UINT i = first; i <= last; ++i)
        if (MenuItem* it = FindItem(menu, i, flags))
            it->flags = (it->flags & ~MF_CHECKED) | (i == check ? MF_CHECKED : 0);
    return TRUE;
}

BOOL EnableMenuItem(HMENU menu, UINT idEnableItem, UINT enable)
{
    MenuItem* it = FindItem(menu, idEnableItem, enable & MF_BYPOSITION);
    if (!it)
        return -1;
    UINT old = it->flags & (MF_GRAYED | MF_DISABLED);
    it->flags = (it->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return (BOOL)old;
}

UINT GetMenuState(HMENU menu, UINT id, UINT flags)
{
    MenuItem* it = FindItem(menu, id, flags);
    if (!it)
        return (UINT)-1;
    if (it->flags & MF_POPUP) {
        MenuData* sub = DataOf(reinterpret_cast<HMENU>(it->id));
        return (UINT)((sub ? sub->items.size() : 0) << 8) | (it->flags & 0xFF);
    }
    return it->flags;
}

int GetMenuItemCount(HMENU menu)
{
    MenuData* d = DataOf(menu);
    return d ? (int)d->items.size() : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
    MenuData* d = DataOf(menu);
    if (!d || position < 0 || position >= (int)d->items.size())
        return (UINT)-1;
    const MenuItem& it = d->items[position];
    if (it.flags & MF_POPUP)
        return (UINT)-1;
    return (it.flags & MF_SEPARATOR) ? 0 : (UINT)it.id;
}

int GetMenuString(HMENU menu, UINT idItem, LPSTR text, int maxCount, UINT flags)
{
    MenuItem* it = FindItem(menu, idItem, flags);
    if (!it)
        return 0;
    if (!text || maxCount <= 0)
        return (int)it->text.size();
    int n = std::min((int)it->text.size(), maxCount - 1);
    std::copy(it->text.begin(), it->text.begin() + n, text);
    text[n] = 0;
    return n;
}

HMENU GetSubMenu(HMENU menu, int position)
{
    MenuData* d = DataOf(menu);
    if (!d || position < 0 || position >= (int)d->items.size() || !(d->items[position].flags & MF_POPUP))
        return nullptr;
    return reinterpret_cast<HMENU>(d->items[position].id);
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition)
{
    MenuData* d = DataOf(menu);
    if (!d)
        return FALSE;
    if (item == (UINT)-1) {
        d->defaultItem = -1;
        return TRUE;
    }
    int pos = -1;
    MenuData* owner = nullptr;
    if (!FindItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, &owner, &pos) || owner != d)
        return FALSE;
    d->defaultItem = pos;
    return TRUE;
}

HMENU LoadMenu(HINSTANCE, LPCSTR name)
{
    HRSRC res = FindResource(nullptr, name, RT_MENU);
    HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
    if (!data)
        return nullptr;
    return LoadMenuFromText(std::string(static_cast<const char*>(LockResource(data)), SizeofResource(nullptr, res)),
                            nullptr);
}

HMENU LoadMenuFromText(const std::string& text, std::string* error)
{
    std::istringstream in(text);
    HMENU menu = CreateMenu();
    int line = 0;
    if (!ParseMenu(in, menu, line, error)) {
        DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}

bool MenuIsActive() { return g_menuDepth > 0; }

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*)
{
    MenuData* d = DataOf(menu);
    WindowState* s = StateOf(owner);
    if (!d || !s || !s->outer)
        return FALSE;
    SendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
    SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    wxMenu wxm;
    std::vector<UINT_PTR> commands;
    BuildWx(wxm, d, commands);
    wxWindow* w = s->surface ? static_cast<wxWindow*>(s->surface) : s->outer;
    wxPoint at = w->ScreenToClient(wxPoint(x, y));
    ++g_menuDepth;
    int chosen = w->GetPopupMenuSelectionFromUser(wxm, at);
    --g_menuDepth;
    if (IsWindow(owner))
        SendMessage(owner, WM_EXITMENULOOP, TRUE, 0);
    UINT_PTR command = 0;
    if (chosen != wxID_NONE && chosen >= 20000 && chosen - 20000 < (int)commands.size())
        command = commands[chosen - 20000];
    if (flags & TPM_RETURNCMD)
        return (BOOL)command;
    if (command && !(flags & TPM_NONOTIFY) && IsWindow(owner))
        PostMessage(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return TRUE;
}
