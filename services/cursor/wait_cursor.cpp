// The saved cursor of ShowWaitCursor / RestoreCursor.
#include "services/cursor/wait_cursor.h"

#include "ui/winuser.h"

static HCURSOR g_hSavedCursor = nullptr;

void ShowWaitCursor() { g_hSavedCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT)); }

void RestoreCursor() { SetCursor(g_hSavedCursor); }
