// One change to an ini file, made under a lock that every process writing the file takes.
#pragma once

#include <functional>
#include <string>

#include "kernel/profile_document.h"

// Loads the file at a Linux path, applies the edit and saves the result, all under an exclusive advisory
// lock, so that writers in other processes never lose each other's changes. A missing file is made only
// when `create` is set; an edit that changes nothing writes nothing. A file that cannot be read, or that
// nobody may write, is left as it is. Returns 0 or the errno of the failure.
int UpdateProfileFile(const std::string& linuxPath, bool create, const std::function<void(ProfileDocument&)>& edit);
