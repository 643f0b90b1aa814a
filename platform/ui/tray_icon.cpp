// Shell_NotifyIcon: a toolkit task-bar icon per window and id, reporting mouse actions with the callback message.
#include "ui/wx_state.h"

#include <map>
#include <set>

#include "ui/shellapi.h"

namespace {

class TrayIcon : public wxTaskBarIcon {
public:
    TrayIcon(HWND owner, UINT id) : m_owner(owner), m_id(id)
    {
        Bind(wxEVT_TASKBAR_LEFT_DOWN, [this](wxTaskBarIconEvent&) { Report(WM_LBUTTONDOWN); });
        Bind(wxEVT_TASKBAR_LEFT_UP, [this](wxTaskBarIconEvent&) { Report(WM_LBUTTONUP); });
        Bind(wxEVT_TASKBAR_RIGHT_DOWN, [this](wxTaskBarIconEvent&) { Report(WM_RBUTTONDOWN); });
        Bind(wxEVT_TASKBAR_RIGHT_UP, [this](wxTaskBarIconEvent&) { Report(WM_RBUTTONUP); });
        Bind(wxEVT_TASKBAR_LEFT_DCLICK, [this](wxTaskBarIconEvent&) { Report(WM_LBUTTONDBLCLK); });
    }
    UINT callback = 0;
    wxIcon icon;
    wxString tip;

private:
    void Report(UINT mouseMessage)
    {
        if (callback && IsWindow(m_owner))
            PostMessage(m_owner, callback, m_id, mouseMessage);
    }
    HWND m_owner;
    UINT m_id;
};

std::map<std::pair<HWND, UINT>, std::unique_ptr<TrayIcon>> g_icons;
std::set<HWND> g_addFailed;  // windows whose latest icon could not be added

// A plain square, for an icon handle the toolkit cannot show.
wxIcon FallbackIcon()
{
    wxBitmap bmp(16, 16);
    {
        wxMemoryDC dc(bmp);
        dc.SetBackground(wxBrush(wxColour(40, 90, 160)));
        dc.Clear();
    }
    wxIcon icon;
    icon.CopyFromBitmap(bmp);
    return icon;
}

void Apply(TrayIcon& t, const NOTIFYICONDATA& d)
{
    if (d.uFlags & NIF_MESSAGE)
        t.callback = d.uCallbackMessage;
    if (d.uFlags & NIF_ICON) {
        wxIcon icon = WxIconOf(d.hIcon);
        t.icon = icon.IsOk() ? icon : FallbackIcon();
    }
    if (d.uFlags & NIF_TIP)
        t.tip = wxString::FromUTF8(std::string(d.szTip, strnlen(d.szTip, sizeof(d.szTip))));
}

}  // namespace

BOOL Shell_NotifyIcon(DWORD message, PNOTIFYICONDATA data)
{
    if (!data || !wxTheApp)
        return FALSE;
    auto key = std::make_pair(data->hWnd, data->uID);
    auto it = g_icons.find(key);
    switch (message) {
    case NIM_ADD: {
        if (it != g_icons.end())
            return FALSE;
        g_addFailed.insert(data->hWnd);
        if (!wxTaskBarIcon::IsAvailable())
            return FALSE;
        auto icon = std::make_unique<TrayIcon>(data->hWnd, data->uID);
        icon->icon = FallbackIcon();
        Apply(*icon, *data);
        if (!icon->SetIcon(icon->icon, icon->tip))
            return FALSE;
        g_icons[key] = std::move(icon);
        g_addFailed.erase(data->hWnd);
        return TRUE;
    }
    case NIM_MODIFY:
        if (it == g_icons.end())
            return FALSE;
        Apply(*it->second, *data);
        return it->second->SetIcon(it->second->icon, it->second->tip);
    case NIM_DELETE:
        g_addFailed.erase(data->hWnd);
        if (it == g_icons.end())
            return FALSE;
        it->second->RemoveIcon();
        g_icons.erase(it);
        return TRUE;
    }
    return FALSE;
}

bool TrayIconAddFailed(HWND hWnd) { return g_addFailed.count(hWnd) != 0; }
