// Path pieces through the C runtime's path splitter.
#include "services/path_parts.h"

#include "kernel/splitpath.h"

namespace {

struct PathPieces {
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    char title[_MAX_FNAME];
    char ext[_MAX_EXT];

    explicit PathPieces(const CString& path) { _splitpath(path, drive, dir, title, ext); }
};

}  // namespace

CString GetPathDrive(const CString& path) { return PathPieces(path).drive; }
CString GetPathDir(const CString& path) { return PathPieces(path).dir; }
CString GetPathTitle(const CString& path) { return PathPieces(path).title; }
CString GetPathExt(const CString& path) { return PathPieces(path).ext; }

CString GetPathFolder(const CString& path)
{
    PathPieces pieces(path);
    return CString(pieces.drive) + pieces.dir;
}

CString GetPathFileName(const CString& path)
{
    PathPieces pieces(path);
    return CString(pieces.title) + pieces.ext;
}
