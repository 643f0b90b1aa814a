// The native window under a window, for pictures drawn outside the layer (a video overlay).
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include "ui/native_window.h"
#include "ui/wx_windows.h"

uintptr_t GetNativeWindowHandle(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return 0;
    wxWindow* w = s->surface ? static_cast<wxWindow*>(s->surface) : s->native ? s->native : s->outer;
    if (!w)
        return 0;
    GdkWindow* drawing = w->GTKGetDrawingWindow();
    if (!drawing) {
        gtk_widget_realize(static_cast<GtkWidget*>(w->GetHandle()));
        drawing = w->GTKGetDrawingWindow();
    }
    if (!drawing || !GDK_IS_X11_WINDOW(drawing) || !gdk_window_ensure_native(drawing))
        return 0;
    // Another connection may use the id at once: the server must have made the window by then.
    gdk_display_sync(gdk_window_get_display(drawing));
    return gdk_x11_window_get_xid(drawing);
}
