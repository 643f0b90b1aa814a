// Keeping the toolkit's messages off the terminal in a normal run.
#pragma once

// Called once before the toolkit starts: its debugging chatter is off, its warnings and criticals are not
// printed unless G_MESSAGES_DEBUG asks for them, and without a session bus the desktop settings store (which
// would warn at every change it cannot save) is kept in memory.
void QuietToolkitMessages();
