// The toolkit's terminal messages: silent unless asked for.
#include "ui/toolkit_messages.h"

#include <cstdlib>
#include <glib.h>
#include <string>
#include <unistd.h>

#include "ui/wx_windows.h"

namespace {

void DropMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

}  // namespace

void QuietToolkitMessages()
{
    wxLog::SetLogLevel(wxLOG_Info);
    if (!getenv("G_MESSAGES_DEBUG"))
        g_log_set_default_handler(DropMessage, nullptr);
    const char* runtime = getenv("XDG_RUNTIME_DIR");
    const std::string bus = runtime && *runtime ? std::string(runtime) + "/bus" : std::string();
    if (!getenv("DBUS_SESSION_BUS_ADDRESS") && (bus.empty() || access(bus.c_str(), F_OK) != 0))
        setenv("GSETTINGS_BACKEND", "memory", 0);
}
