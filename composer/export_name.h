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
// Claims a new song's ringtone name for this program by creating it, empty, only if it does not exist (the
// export then writes over it): two programs naming their songs at once never get the same ringtone. A name
// this program wrote before (lastOutput) is kept as it is, to be replaced. When another program holds the name,
// the next free numbered name is claimed instead and stored in name. True when a file was created.
bool ClaimExportName(const CString& strFolder, const CString& lastOutput, CString& name);
// True for a song without a file: none at all, or the numbered name a new song gets that was never saved.
bool IsUnsavedDefaultSong(const CString& strFolder, const CString& strSongPath);
