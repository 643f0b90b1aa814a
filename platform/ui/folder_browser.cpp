// SHBrowseForFolder: the toolkit's folder chooser; the chosen folder comes back in the layer's path form.
#include "ui/wx_windows.h"

#include <cstring>

#include "kernel/path_map.h"
#include "ui/shellapi.h"

struct ITEMIDLIST {
    std::string path;  // Windows-style, without a trailing backslash
};

LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO info)
{
    if (!info)
        return nullptr;
    wxDirDialog dlg(OwnerFrameWx(info->hwndOwner),
                    wxString::FromUTF8(info->lpszTitle ? info->lpszTitle : "Browse for Folder"), wxEmptyString,
                    wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dlg.ShowModal() != wxID_OK)
        return nullptr;
    auto* list = new ITEMIDLIST{ToWindowsPath(std::string(dlg.GetPath().utf8_str()))};
    if (info->pszDisplayName) {
        std::string name = list->path.substr(list->path.find_last_of('\\') + 1);
        std::strncpy(info->pszDisplayName, name.c_str(), MAX_PATH - 1);
        info->pszDisplayName[MAX_PATH - 1] = 0;
    }
    return list;
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST list, LPSTR path)
{
    if (!list || !path || list->path.size() >= MAX_PATH)
        return FALSE;
    std::strcpy(path, list->path.c_str());
    return TRUE;
}

void CoTaskMemFree(void* memory) { delete static_cast<ITEMIDLIST*>(memory); }
