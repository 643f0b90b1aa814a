// Media durations already measured, so that a file is probed once while it stays unchanged.
#pragma once

#include "kernel/cstring.h"

// True with the duration stored for the file when its size and modification time are still those it had.
bool FindMediaDuration(const CString& mediaPath, double* duration);
// Remembers a measured duration with the file's present size and modification time.
void StoreMediaDuration(const CString& mediaPath, double duration);
