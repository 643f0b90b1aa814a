// Task-bar buttons of top-level windows: an owned window has none, as on the desktops the programs were made for.
#include <gtk/gtk.h>

#include "ui/desktop_shell.h"
#include "ui/wx_windows.h"

void UpdateTaskbarButton(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    if (!s || !s->frame)
        return;
    // A window hidden to a tray icon that could not be added is minimised instead and keeps its button, so
    // it can still be found.
    const bool owned = s->parent && !TrayIconAddFailed(hWnd);
    const bool skip = owned || (s->exStyle & WS_EX_TOOLWINDOW) || s->noActivate;
    GtkWidget* widget = s->frame->GetHandle();
    if (widget && GTK_IS_WINDOW(widget))
        gtk_window_set_skip_taskbar_hint(GTK_WINDOW(widget), skip);
}
