// Where the programs keep the settings files they write: the user's configuration folder, not the program folder.
#pragma once

#include "kernel/cstring.h"

// The user's settings folder in Windows form with a trailing backslash: $XDG_CONFIG_HOME/kestrin/, else
// ~/.config/kestrin/.
CString GetUserSettingsFolder();

// The file to read for an ini path. A settings file of the program folder (an .ini file directly in it) is
// read from the user's copy once that exists; any other path is read as it is.
CString SettingsFileToRead(const CString& path);

// The file to write for an ini path. For a settings file of the program folder, the user's copy, made from the
// program folder's shipped file the first time; empty when the copy cannot be made. The program folder is only
// read, so an installed program keeps its settings without write access to it.
CString SettingsFileToWrite(const CString& path);
