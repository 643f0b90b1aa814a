// The output names of one batch: no output replaces a source of the batch or another row's output.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

#include "kernel/cstring.h"

class BatchOutputNames {
public:
    // A media file of the batch (in the program's Windows form); one that does not exist is never in the way.
    void AddSource(const CString& path);
    // Folder + title + extension, or folder + title + " (n)" + extension with the first n from 2 that names
    // neither a source of the batch (the same file, whatever its name) nor a path chosen before. The path
    // chosen is taken from then on.
    CString Choose(const CString& folder, const CString& title, const char* extension);

private:
    bool IsInTheWay(const std::string& native) const;

    std::vector<std::pair<dev_t, ino_t>> m_sources;
    std::vector<std::string> m_taken;
};
