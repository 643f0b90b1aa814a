// Names of exported ringtones and of new songs.
#include "composer/export_name.h"

#include "services/file_exists.h"
#include "services/path_parts.h"

namespace {

CString Numbered(const CString& strFolder, int n, const char* pszExtension)
{
    CString name;
    name.Format("%stonwick-%03d%s", static_cast<const char*>(strFolder), n, pszExtension);
    return name;
}

}  // namespace

CString NextNumberedExportName(const CString& strFolder)
{
    for (int n = 1;; ++n) {
        CString name = Numbered(strFolder, n, ".m4r");
        if (!FileExists(name))
            return name;
    }
}

CString ExportNameForSong(const CString& strFolder, const CString& strSongPath)
{
    if (strSongPath.IsEmpty())
        return NextNumberedExportName(strFolder);
    return strFolder + GetPathTitle(strSongPath) + ".m4r";
}

CString NextDefaultSongName(const CString& strFolder)
{
    for (int n = 1;; ++n) {
        CString song = Numbered(strFolder, n, ".mid");
        if (!FileExists(strFolder + GetPathTitle(song) + ".m4r"))
            return song;
    }
}
