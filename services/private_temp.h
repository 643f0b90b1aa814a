// The programs' temporary files: in a folder only the user may enter, one subfolder per running program.
#pragma once

#include <functional>

#include "kernel/cstring.h"

// This run's own temporary folder in Windows form with a trailing backslash, made on first use under
// $XDG_RUNTIME_DIR/kestrin/ (else ~/.cache/kestrin/), mode 0700. The first call also removes the folders of
// earlier runs that ended without cleaning up; another running program's folder is never touched. Empty when
// no private folder can be made.
CString GetPrivateTempFolder();

// The folder kept between runs for the converter's clip-info files, beside the runs' folders; empty when it
// cannot be made.
CString GetClipInfoFolder();

// A file this run writes outside its temporary folder under a name of its own until it is whole (an output renamed
// into place when done): recorded in the run's folder, so that when the run ends without removing it, the start
// of a later program removes it with the run's folder. ForgetRunFile drops the record once the file is renamed or
// removed.
void RecordRunFile(const CString& path);
void ForgetRunFile(const CString& path);

// Makes this run a user of the clip-info folder until it ends or leaves. When no other running program uses the
// folder, whenAlone is called first with the folder (Windows form), while no other program can start using it.
// Nothing happens when there is no clip-info folder or this run is a user already.
void UseClipInfoFolder(const std::function<void(const CString& folder)>& whenAlone);
// Ends this run's use of the clip-info folder.
void LeaveClipInfoFolder();

// Removes this run's temporary folder with everything in it, at the end of the run; a later call of
// GetPrivateTempFolder makes a new one.
void RemovePrivateTempFolder();
