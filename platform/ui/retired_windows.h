// Internal: temporary window wrappers whose window has gone, kept until no handler can hold one.
#pragma once

// Temporary wrappers made by CWnd::FromHandle are detached when their window goes and kept, as a caller may still
// hold one (the wrapper destroying its own window does); this deletes them.
void DeleteRetiredWindowObjects();
