// Drop-down windows: top-level windows the window manager leaves alone (override-redirect), as menus are.
#include <gtk/gtk.h>

#include "ui/wx_windows.h"

namespace {

void SetOverrideRedirect(GtkWidget* widget, gpointer)
{
    if (GdkWindow* w = gtk_widget_get_window(widget))
        gdk_window_set_override_redirect(w, TRUE);
}

}  // namespace

void MakeDropDownWindow(TopFrame* frame)
{
    // Only an unmapped window can change this: before the frame is first shown.
    GtkWidget* widget = frame->GetHandle();
    if (!widget)
        return;
    if (gtk_widget_get_realized(widget))
        SetOverrideRedirect(widget, nullptr);
    else
        g_signal_connect(widget, "realize", G_CALLBACK(SetOverrideRedirect), nullptr);
}
