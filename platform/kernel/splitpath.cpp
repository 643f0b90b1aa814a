// _splitpath and _makepath with the C runtime's piece rules.
#include "kernel/splitpath.h"

#include <cstring>
#include <string>

namespace {

void Put(char* out, size_t max, const char* from, size_t length)
{
    if (!out)
        return;
    if (length > max - 1)
        length = max - 1;
    memcpy(out, from, length);
    out[length] = '\0';
}

}  // namespace

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext)
{
    if (!path)
        path = "";
    const char* p = path;
    if (p[0] && p[1] == ':') {
        Put(drive, _MAX_DRIVE, p, 2);
        p += 2;
    } else {
        Put(drive, _MAX_DRIVE, p, 0);
    }
    const char* lastSlash = nullptr;
    const char* lastDot = nullptr;
    for (const char* q = p; *q; ++q) {
        if (*q == '\\' || *q == '/')
            lastSlash = q;
        else if (*q == '.')
            lastDot = q;
    }
    const char* name = lastSlash ? lastSlash + 1 : p;
    Put(dir, _MAX_DIR, p, static_cast<size_t>(name - p));
    if (lastDot && lastDot < name)
        lastDot = nullptr;
    const char* end = name + strlen(name);
    const char* nameEnd = lastDot ? lastDot : end;
    Put(fname, _MAX_FNAME, name, static_cast<size_t>(nameEnd - name));
    Put(ext, _MAX_EXT, nameEnd, static_cast<size_t>(end - nameEnd));
}

void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext)
{
    std::string out;
    if (drive && *drive) {
        out += drive[0];
        out += ':';
    }
    if (dir && *dir) {
        out += dir;
        if (out.back() != '\\' && out.back() != '/')
            out += '\\';
    }
    if (fname)
        out += fname;
    if (ext && *ext) {
        if (*ext != '.')
            out += '.';
        out += ext;
    }
    Put(path, _MAX_PATH, out.c_str(), out.size());
}
