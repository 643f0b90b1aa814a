// Names of exported ringtones and of new songs, which follow the ringtones already in the export folder.
#pragma once

#include "kernel/cstring.h"

// The first free export folder + "tonwick-NNN.m4r", counting from 1 (gaps are reused).
CString NextNumberedExportName(const CString& strFolder);
// The ringtone name of a song: numbered for a song without a file, else export folder + song title + ".m4r".
CString ExportNameForSong(const CString& strFolder, const CString& strSongPath);
// A new song's file name: export folder + "tonwick-NNN.mid" with the first number whose ringtone
// (export folder + "tonwick-NNN.m4r") does not exist yet.
CString NextDefaultSongName(const CString& strFolder);
