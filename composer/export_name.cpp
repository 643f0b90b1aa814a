// Names of exported ringtones and of new songs.
#include "composer/export_name.h"

#include "kernel/file_api.h"
#include "kernel/last_error.h"
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

bool ClaimExportName(const CString& strFolder, const CString& lastOutput, CString& name)
{
    if (name == lastOutput)
        return false;
    for (;;) {
        HANDLE file = CreateFile(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return true;
        }
        // A folder that takes no file: the export fails there and says so.
        if (GetLastError() != ERROR_FILE_EXISTS)
            return false;
        name = NextNumberedExportName(strFolder);
    }
}

bool IsUnsavedDefaultSong(const CString& strFolder, const CString& strSongPath)
{
    if (strSongPath.IsEmpty())
        return true;
    const CString prefix = strFolder + "tonwick-";
    return strSongPath.Left(prefix.GetLength()) == prefix && strSongPath.Right(4) == ".mid" && !FileExists(strSongPath);
}
