// Attribute and time fields of a found file, from a Linux stat of it.
#pragma once

#include <string>

#include "kernel/file_api.h"

// Fills everything of the find record but the names; false when the path cannot be examined.
bool FillFindData(const std::string& linuxPath, const std::string& name, WIN32_FIND_DATA* data);
