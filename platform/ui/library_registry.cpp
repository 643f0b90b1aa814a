// Libraries registered inside the program, found by file name.
#include "ui/library_registry.h"

#include <strings.h>

#include <list>

namespace {

struct InProcessLibrary {
    std::string fileName;
    LibraryExports exports;
    bool loadable = true;
};

// Entries are never removed, so a handle (the entry's address) stays valid for the process's life.
std::list<InProcessLibrary>& Libraries()
{
    static std::list<InProcessLibrary> libraries;
    return libraries;
}

InProcessLibrary* Find(const char* fileName)
{
    for (InProcessLibrary& library : Libraries())
        if (library.loadable && fileName && strcasecmp(library.fileName.c_str(), fileName) == 0)
            return &library;
    return nullptr;
}

}  // namespace

void RegisterInProcessLibrary(const char* fileName, LibraryExports exports)
{
    if (InProcessLibrary* library = Find(fileName)) {
        library->exports = std::move(exports);
        return;
    }
    Libraries().push_back({fileName, std::move(exports)});
}

void UnregisterInProcessLibrary(const char* fileName)
{
    if (InProcessLibrary* library = Find(fileName))
        library->loadable = false;
}

HMODULE FindInProcessLibrary(const char* fileName) { return reinterpret_cast<HMODULE>(Find(fileName)); }

bool IsInProcessLibrary(HMODULE module)
{
    for (InProcessLibrary& library : Libraries())
        if (reinterpret_cast<HMODULE>(&library) == module)
            return true;
    return false;
}

FARPROC FindInProcessExport(HMODULE module, const char* procName)
{
    if (!IsInProcessLibrary(module) || !procName)
        return nullptr;
    for (const auto& [name, proc] : reinterpret_cast<InProcessLibrary*>(module)->exports)
        if (name == procName)
            return proc;
    return nullptr;
}
