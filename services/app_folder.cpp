// The process-wide program-folder buffer.
#include "services/app_folder.h"

#include <climits>
#include <cstring>

#include "kernel/program_paths.h"
#include "services/deliverable.h"
#include "services/path_parts.h"

// Linux paths may be longer than the 260 characters of the original buffer.
static char g_szAppFolder[PATH_MAX];

// Copies a folder into the buffer with one trailing backslash; a folder too long is not taken.
static void StoreAppFolder(CString folder)
{
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    if (folder.GetLength() >= PATH_MAX)
        return;
    std::memcpy(g_szAppFolder, folder.GetString(), folder.GetLength() + 1);
}

void SetAppFolder(const CString& path) { StoreAppFolder(GetPathFolder(path)); }

const char* GetAppFolderPath() { return g_szAppFolder; }

CString GetAppFolder()
{
    if (IsConverterDeliverable() && g_szAppFolder[0] == '\0') {
        char module[PATH_MAX];
        DWORD length = GetModuleFileName(nullptr, module, PATH_MAX);
        if (length > 0 && length < PATH_MAX) {
            CString path(module, static_cast<int>(length));
            int slash = path.ReverseFind('\\');
            if (slash >= 0)
                StoreAppFolder(path.Left(slash + 1));
        }
    }
    return CString(g_szAppFolder);
}

void InitAppFolderFromCurrentDir()
{
    char current[PATH_MAX];
    DWORD length = GetCurrentDirectory(PATH_MAX, current);
    if (length > 0 && length < PATH_MAX)
        StoreAppFolder(CString(current, static_cast<int>(length)));
}
