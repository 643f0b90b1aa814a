// CFileListCtrl: rows showing the Linux form of their paths and keeping the program's form.
#include "converter/file_list_ctrl.h"

#include "kernel/path_map.h"

int CFileListCtrl::InsertPath(int index, const CString& path)
{
    const DWORD_PTR key = m_nextKey++;
    const int row = InsertItem(LVIF_TEXT | LVIF_PARAM, index, DisplayPath(path.GetString()).c_str(), 0, 0, 0,
                               static_cast<LPARAM>(key));
    if (row >= 0)
        m_paths[key] = path;
    return row;
}

CString CFileListCtrl::PathAt(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return CString();
    const auto kept = m_paths.find(GetItemData(row));
    return kept == m_paths.end() ? CString() : kept->second;
}

BOOL CFileListCtrl::DeleteItem(int row)
{
    if (row < 0 || row >= GetItemCount())
        return FALSE;
    m_paths.erase(GetItemData(row));
    return CListCtrl::DeleteItem(row);
}

BOOL CFileListCtrl::DeleteAllItems()
{
    m_paths.clear();
    return CListCtrl::DeleteAllItems();
}
