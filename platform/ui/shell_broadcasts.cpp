// Desktop changes told to every top-level window: "TaskbarCreated" when a notification area appears, and
// WM_SETTINGCHANGE when the work area or the system colours change.
#include "ui/wx_state.h"

namespace {

void PostToTopLevels(UINT message, WPARAM wParam)
{
    for (HWND h : TopLevelWindows())
        PostMessage(h, message, wParam, 0);
}

wxRect WorkArea() { return wxDisplay(0u).GetClientArea(); }

// The desktop offers no signal for either change that reaches every toolkit: they are looked for each second.
class DesktopWatch : public wxTimer {
public:
    DesktopWatch() : m_trayAvailable(wxTaskBarIcon::IsAvailable()), m_workArea(WorkArea()) {}

    void Notify() override
    {
        bool tray = wxTaskBarIcon::IsAvailable();
        if (tray && !m_trayAvailable)
            PostToTopLevels(RegisterWindowMessage("TaskbarCreated"), 0);
        m_trayAvailable = tray;
        wxRect area = WorkArea();
        if (area != m_workArea)
            PostToTopLevels(WM_SETTINGCHANGE, SPI_SETWORKAREA);
        m_workArea = area;
    }

private:
    bool m_trayAvailable;
    wxRect m_workArea;
};

std::unique_ptr<DesktopWatch> g_watch;

}  // namespace

void StartDesktopWatch()
{
    g_watch = std::make_unique<DesktopWatch>();
    g_watch->Start(1000);
    wxTheApp->Bind(wxEVT_SYS_COLOUR_CHANGED, [](wxSysColourChangedEvent& e) {
        PostToTopLevels(WM_SETTINGCHANGE, 0);
        e.Skip();
    });
}

void StopDesktopWatch() { g_watch.reset(); }
