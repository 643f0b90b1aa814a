// See-through native controls: a control given a hollow colour brush draws no background of its own.
#include <gtk/gtk.h>

#include "ui/wx_windows.h"

namespace {

GtkCssProvider* ClearBackground()
{
    static GtkCssProvider* provider = [] {
        GtkCssProvider* p = gtk_css_provider_new();
        gtk_css_provider_load_from_data(
            p, "* { background-color: transparent; background-image: none; transition: none; }", -1, nullptr);
        return p;
    }();
    return provider;
}

void Apply(GtkWidget* widget, gpointer on)
{
    GtkStyleContext* context = gtk_widget_get_style_context(widget);
    if (on)
        gtk_style_context_add_provider(context, GTK_STYLE_PROVIDER(ClearBackground()),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
    else
        gtk_style_context_remove_provider(context, GTK_STYLE_PROVIDER(ClearBackground()));
    if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), &Apply, on);
}

}  // namespace

void SetNativeTransparent(wxWindow* control, bool on)
{
    if (GtkWidget* widget = control->GetHandle())
        Apply(widget, on ? GINT_TO_POINTER(1) : nullptr);
}
