// The desktop's animation setting: the toolkit's own, which follows the desktop's and may be changed per process.
#include <gtk/gtk.h>

#include "ui/desktop_shell.h"
#include "ui/wx_windows.h"

namespace {

constexpr const char* kAnimationSetting = "gtk-enable-animations";

GtkSettings* Settings() { return wxTheApp ? gtk_settings_get_default() : nullptr; }

}  // namespace

bool DesktopAnimationsOn()
{
    GtkSettings* settings = Settings();
    gboolean on = FALSE;
    if (settings)
        g_object_get(settings, kAnimationSetting, &on, nullptr);
    return on != FALSE;
}

void SetDesktopAnimations(bool on)
{
    if (GtkSettings* settings = Settings())
        g_object_set(settings, kAnimationSetting, on ? TRUE : FALSE, nullptr);
}
