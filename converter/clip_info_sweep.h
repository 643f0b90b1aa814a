// Clip-info files of media that are gone, removed when the converter starts.
#pragma once

#include "kernel/cstring.h"

// Makes this run a user of the clip-info folder; when no other running program uses it, first removes from it
// every clip-info file whose media file is gone (RemoveClipInfoOfGoneMedia).
void RemoveStaleClipInfoFiles();

// Removes from a clip-info folder (Windows form) each clip-info file that names, in its "mediapath" key, a media
// file of its own name that no longer exists in a folder that still does. A file without the key, naming
// another name, or whose media's folder is gone (perhaps on a drive not mounted now) is kept; so is anything
// that is not a plain clip-info file.
void RemoveClipInfoOfGoneMedia(const CString& folder);
