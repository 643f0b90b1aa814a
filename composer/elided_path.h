// Long paths shown in a fixed width: the middle of the folder part gives way, the file name stays whole.
#pragma once

#include <functional>

#include "kernel/cstring.h"

// The path as it stands when `fits` accepts it; else the longest "start...end" form that `fits` accepts, where
// the end keeps at least the part after the last backslash. When even that does not fit, "..." and that part.
CString ElidePathMiddle(const CString& path, const std::function<bool(const CString&)>& fits);
