// CFileListCtrl: the converter's media file list, a report list of paths and their conversion states.
#pragma once

#include <map>

#include "ui/ui.h"

// Each row shows its path as the user knows it ('/' separators) and keeps the program's own form of it, which every
// reader of a row's file takes from here: the shown text is never read back as a path.
class CFileListCtrl : public CListCtrl {
public:
    // Inserts a row for path at index, showing its Linux form; answers the row's index.
    int InsertPath(int index, const CString& path);
    // The program's path of row, empty for a row that has none.
    CString PathAt(int row) const;
    // Removing rows forgets their paths.
    BOOL DeleteItem(int row);
    BOOL DeleteAllItems();

private:
    // Rows carry a key in their item data, so a path goes with its row wherever the row moves.
    std::map<DWORD_PTR, CString> m_paths;
    DWORD_PTR m_nextKey = 1;
};
