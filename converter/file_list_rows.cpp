// Rows of the media file list and the chooser's path filter.
#include "converter/file_list_rows.h"

#include "converter/converter_dlg.h"
#include "kernel/cfile.h"
#include "kernel/file_api.h"

int FindMediaRow(const CFileListCtrl& list, const CString& path)
{
    // Paths are compared exactly: names that differ only in case are different files.
    for (int i = 0; i < list.GetItemCount(); ++i) {
        if (list.PathAt(i) == path)
            return i;
    }
    return -1;
}

int FirstSelectedRow(const CListCtrl& list) { return list.GetNextItem(-1, LVNI_SELECTED); }

int InsertMediaRow(CFileListCtrl& list, int index, const CString& path, const CString& stateText)
{
    const int row = list.InsertPath(index, path);
    list.SetItemText(row, 1, stateText);
    return row;
}

// The list's column count: a text beyond the columns has nowhere to be kept.
static int ColumnCount(const CListCtrl& list)
{
    LVCOLUMN column = {};
    column.mask = LVCF_WIDTH;
    int count = 0;
    while (list.GetColumn(count, &column))
        ++count;
    return count;
}

void MoveMediaRow(CListCtrl& list, int from, int to)
{
    const int texts = ColumnCount(list) < 3 ? ColumnCount(list) : 3;
    CString text[3];
    for (int i = 0; i < texts; ++i)
        text[i] = list.GetItemText(from, i);
    // The item data goes along: the media list's row keeps its path through it.
    const DWORD_PTR data = list.GetItemData(from);
    list.CListCtrl::DeleteItem(from);
    const int row = list.InsertItem(LVIF_TEXT | LVIF_STATE | LVIF_PARAM, to, text[0], LVIS_SELECTED, LVIS_SELECTED, 0,
                                    static_cast<LPARAM>(data));
    for (int i = 1; i < texts; ++i)
        list.SetItemText(row, i, text[i]);
}

void SelectOnlyRow(CListCtrl& list, int row)
{
    for (int i = 0; i < list.GetItemCount(); ++i)
        list.SetItemState(i, i == row ? LVIS_SELECTED | LVIS_FOCUSED : 0, LVIS_SELECTED | LVIS_FOCUSED);
}

int GetFileStatus(const CString& path)
{
    CFileStatus status;
    if (!CFile::GetStatus(path, status))
        return 0;
    return 1;
}

void KeepMediaFiles(const CStringArray& candidates, CStringArray& paths)
{
    for (int i = 0; i < candidates.GetSize(); ++i) {
        const CString& path = candidates[i];
        CFileStatus status;
        if (path.IsEmpty() || !GetFileStatus(path) || !CFile::GetStatus(path, status))
            continue;
        if (status.m_attribute & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        paths.Add(path);
    }
}
