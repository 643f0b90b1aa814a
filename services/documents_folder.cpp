// The documents folder from the shell's "Personal" folder.
#include "services/documents_folder.h"

#include "kernel/user_folders.h"

CString GetDocumentsFolder()
{
    char folder[MAX_PATH];
    if (SHGetFolderPath(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return CString();
    CString result(folder);
    if (result.IsEmpty())
        return result;
    if (result[result.GetLength() - 1] != '\\')
        result += '\\';
    return result;
}
